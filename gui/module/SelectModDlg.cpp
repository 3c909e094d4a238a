#include "gui/module/SelectModDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace halcyx {

SelectModDlg::SelectModDlg(ModuleType preselected, QWidget* parent)
    : QDialog(parent), buttons_(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("Select Veltro Module"));
    auto* layout = new QVBoxLayout(this);
    for (const ModuleTraits& module : kModuleTraits) {
        auto* button = new QRadioButton(QString::fromLatin1(module.button));
        button->setChecked(module.type == preselected);
        buttons_->addButton(button, static_cast<int>(module.type));
        layout->addWidget(button);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
}

ModuleType SelectModDlg::chosen() const {
    return static_cast<ModuleType>(buttons_->checkedId());
}

} // namespace halcyx
