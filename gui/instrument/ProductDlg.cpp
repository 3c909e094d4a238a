#include "gui/instrument/ProductDlg.h"

#include "core/prompt/Operator.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace halcyx {

namespace {
constexpr std::array<ProductCode, 4> kChoices = {ProductCode::Vexa2, ProductCode::Vexa3,
                                                 ProductCode::TavrinCT, ProductCode::TavrinP};
constexpr int kHelpIndex = 0; // the help has no page of its own for this choice
} // namespace

ProductDlg::ProductDlg(ProductCode preselected, Operator& op, QWidget* parent)
    : QDialog(parent), buttons_(new QButtonGroup(this)) {
    setWindowTitle(tr("Product Selection"));
    auto* group = new QGroupBox(tr("Product"));
    auto* groupLayout = new QVBoxLayout(group);
    for (const ProductCode product : kChoices) {
        auto* button = new QRadioButton(
            QString::fromUtf8(modelText(product).data(), int(modelText(product).size())));
        button->setChecked(product == preselected);
        buttons_->addButton(button, static_cast<int>(product));
        groupLayout->addWidget(button);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                     QDialogButtonBox::Help);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, [&op] { op.showHelp(kHelpIndex); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(box);
}

ProductCode ProductDlg::chosen() const {
    const int id = buttons_->checkedId();
    return id < 0 ? ProductCode::None : productFromNumber(id);
}

std::optional<ProductCode> QtProductChooser::chooseProduct(ProductCode lastChoice) {
    ProductDlg dialog(lastChoice, op_, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace halcyx
