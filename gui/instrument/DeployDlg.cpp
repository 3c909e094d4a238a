#include "gui/instrument/DeployDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace halcyx {

namespace {

struct Choice {
    DeployMode mode;
    const char* caption;
};
constexpr std::array<Choice, 3> kChoices = {{{DeployMode::Interval, "Interval"},
                                             {DeployMode::DelayedInterval, "Delayed Interval"},
                                             {DeployMode::Continuous, "Continuous"}}};

} // namespace

DeployDlg::DeployDlg(DeployMode selected, QWidget* parent)
    : QDialog(parent), buttons_(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("Deploy"));
    auto* group = new QGroupBox(QStringLiteral("Select Operating Mode"), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (const Choice& choice : kChoices) {
        auto* button = new QRadioButton(QString::fromLatin1(choice.caption), group);
        button->setChecked(choice.mode == selected);
        buttons_->addButton(button, static_cast<int>(choice.mode));
        groupLayout->addWidget(button);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(box);
}

DeployMode DeployDlg::mode() const {
    return static_cast<DeployMode>(buttons_->checkedId());
}

QRadioButton* DeployDlg::button(DeployMode mode) const {
    return qobject_cast<QRadioButton*>(buttons_->button(static_cast<int>(mode)));
}

std::optional<DeployMode> QtDeployChooser::chooseDeployMode(DeployMode remembered) {
    DeployDlg dialog(remembered, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.mode();
}

} // namespace halcyx
