#include "gui/acquisition/AcqSetupDlg.h"

#include "core/app/HelpLocation.h"
#include "core/base/DecimalNumber.h"
#include "core/instrument/Format.h"
#include "core/prompt/Operator.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace halcyx {

namespace {

// The entry as a number; a negative one counts as 0.
float nonNegative(const QLineEdit* edit) {
    return std::max(0.0f, toSingle(decimalNumber(edit->text().toStdString())));
}

QLineEdit* numberEdit(const std::string& text, int maxChars, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromStdString(text), parent);
    edit->setMaxLength(maxChars);
    return edit;
}

} // namespace

AcqSetupDlg::AcqSetupDlg(float& pressure, float& latitude, Operator& op, QWidget* parent)
    : QDialog(parent), pressure_(pressure), latitude_(latitude),
      pressureEdit_(
          numberEdit(formatText("%.5f", static_cast<double>(pressure)), kPressureChars, this)),
      latitudeEdit_(
          numberEdit(formatText("%.1f", static_cast<double>(latitude)), kLatitudeChars, this)) {
    setWindowTitle(QStringLiteral("ACQ Settings"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Constant Pressure:"), this), 0, 0);
    grid->addWidget(pressureEdit_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("dbars"), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Constant Latitude:"), this), 1, 0);
    grid->addWidget(latitudeEdit_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("degrees"), this), 1, 2);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [&op] { op.showHelp(help::kIndex); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void AcqSetupDlg::accept() {
    pressure_ = nonNegative(pressureEdit_);
    latitude_ = nonNegative(latitudeEdit_);
    QDialog::accept();
}

} // namespace halcyx
