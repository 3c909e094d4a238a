#include "gui/printing/PrintPGraphDlg.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace halcyx {

PrintPGraphDlg::PrintPGraphDlg(const QString& caption, QWidget* parent) : QDialog(parent) {
    setWindowTitle(caption);
    auto* group = new QGroupBox(QStringLiteral("Select Pressure Graph"), this);
    auto* column = new QVBoxLayout(group);
    for (int i = 0; i < kGraphs; ++i) {
        buttons_[static_cast<std::size_t>(i)] =
            new QRadioButton(QStringLiteral("Pressure Graph %1").arg(i + 1), group);
        column->addWidget(buttons_[static_cast<std::size_t>(i)]);
    }
    buttons_[0]->setChecked(true);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Print"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int PrintPGraphDlg::chosen() const {
    for (int i = 0; i < kGraphs; ++i)
        if (buttons_[static_cast<std::size_t>(i)]->isChecked())
            return i;
    return 0;
}

void PrintPGraphDlg::choose(int graph) {
    if (graph >= 0 && graph < kGraphs)
        buttons_[static_cast<std::size_t>(graph)]->setChecked(true);
}

} // namespace halcyx
