#pragma once

#include "core/module/ModGraphSettings.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace halcyx {

class Operator;

// "Module Graph Setup": the value range, the x units, showing the graph, the grid and the
// view width. The caller applies and stores what it returns on OK.
class ModGraphSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 1500;

    ModGraphSetupDlg(const ModGraphSettings& current, Operator& op, QWidget* parent = nullptr);

    // The fields as the operator left them.
    ModGraphSettings settings() const;

    QLineEdit* lowField() const { return low_; }
    QLineEdit* highField() const { return high_; }

private:
    QLineEdit* low_;
    QLineEdit* high_;
    QButtonGroup* units_;
    QCheckBox* show_;
    QCheckBox* grid_;
    QButtonGroup* width_;
};

} // namespace halcyx
