#include "gui/instrument/GetTimeDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace halcyx {

namespace {

// What the fields hold, as wide as the instrument's own entries allow [chars].
constexpr int kTimeMaxChars = 9;  // "hh:mm:ss"
constexpr int kDateMaxChars = 11; // "mm-dd-yyyy"

} // namespace

GetTimeDlg::GetTimeDlg(const ClockTexts& initial, QWidget* parent)
    : QDialog(parent), time_(new QLineEdit(this)), date_(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Enter Local Time and Date"));
    time_->setMaxLength(kTimeMaxChars);
    date_->setMaxLength(kDateMaxChars);
    time_->setText(QString::fromStdString(initial.time));
    date_->setText(QString::fromStdString(initial.date));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GetTimeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GetTimeDlg::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Time:"), time_);
    layout->addRow(QStringLiteral("Date:"), date_);
    layout->addRow(buttons);
}

ClockTexts GetTimeDlg::texts() const {
    return {time_->text().toStdString(), date_->text().toStdString()};
}

} // namespace halcyx
