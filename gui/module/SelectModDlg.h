#pragma once

#include "core/module/ModuleType.h"

#include <QDialog>

class QButtonGroup;

namespace halcyx {

// "Select Veltro Module": which sensor module is on the data port.
class SelectModDlg : public QDialog {
    Q_OBJECT
public:
    SelectModDlg(ModuleType preselected, QWidget* parent = nullptr);

    ModuleType chosen() const;

private:
    QButtonGroup* buttons_;
};

} // namespace halcyx
