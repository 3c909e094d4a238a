#pragma once

#include "core/navigation/NavPortDialog.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

namespace halcyx {

// "NAV Communications Setup": whether the navigation port is used, its COM port and baud
// rate, and whether records get a time stamp from the computer's clock or from the GPS.
class NavPortDlg : public QDialog {
    Q_OBJECT
public:
    explicit NavPortDlg(const NavSettings& settings, QWidget* parent = nullptr);

    // The settings as the dialog shows them: port 0 and rate 0 when none is selected.
    NavSettings chosen() const;

private:
    QCheckBox* enable_;
    QButtonGroup* ports_;
    QButtonGroup* rates_;
    QCheckBox* timeStamp_;
    QButtonGroup* timeSource_;
};

// The dialog as the navigation session asks for it.
class QtNavPortDialog : public NavPortDialog {
public:
    explicit QtNavPortDialog(QWidget* parent) : parent_(parent) {}
    bool edit(NavSettings& settings) override;

private:
    QWidget* parent_;
};

} // namespace halcyx
