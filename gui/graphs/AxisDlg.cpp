#include "gui/graphs/AxisDlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace halcyx {

namespace {
constexpr std::array<const char*, AxisDlg::kAxes> kInitialNames = {
    "Y Label", "X Label 1", "X Label 2", "X Label 3", "X Label 4"};
constexpr int kValueWidth = 90; // room for a value such as "-12345.678" [pixels]
} // namespace

AxisDlg::AxisDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Coordinates"));
    setModal(false);
    auto* yGroup = new QGroupBox(QStringLiteral("Y Axis:"), this);
    auto* xGroup = new QGroupBox(QStringLiteral("X Axis:"), this);
    auto* yRows = new QFormLayout(yGroup);
    auto* xRows = new QFormLayout(xGroup);
    for (std::size_t i = 0; i < names_.size(); ++i) {
        names_[i] = new QLabel(QString::fromLatin1(kInitialNames[i]), this);
        values_[i] = new QLabel(QStringLiteral("0"), this);
        values_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        values_[i]->setMinimumWidth(kValueWidth);
        (i == 0 ? yRows : xRows)->addRow(names_[i], values_[i]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(yGroup);
    layout->addWidget(xGroup);
}

void AxisDlg::setNames(const std::array<QString, kAxes>& names) {
    for (std::size_t i = 0; i < names_.size(); ++i)
        names_[i]->setText(names[i]);
}

void AxisDlg::setValues(const std::array<QString, kAxes>& values) {
    for (std::size_t i = 0; i < values_.size(); ++i)
        values_[i]->setText(values[i]);
}

} // namespace halcyx
