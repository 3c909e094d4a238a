#pragma once

#include "core/instrument/Deployment.h"

#include <QDialog>

class QButtonGroup;
class QRadioButton;

namespace halcyx {

// "Deploy": the operating mode the instrument is switched into.
class DeployDlg : public QDialog {
    Q_OBJECT
public:
    explicit DeployDlg(DeployMode selected, QWidget* parent = nullptr);

    DeployMode mode() const;
    QRadioButton* button(DeployMode mode) const;

private:
    QButtonGroup* buttons_;
};

// Runs DeployDlg over the configuration window.
class QtDeployChooser : public DeployModeChooser {
public:
    explicit QtDeployChooser(QWidget* parent) : parent_(parent) {}
    std::optional<DeployMode> chooseDeployMode(DeployMode remembered) override;

private:
    QWidget* parent_;
};

} // namespace halcyx
