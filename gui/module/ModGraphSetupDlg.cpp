#include "gui/module/ModGraphSetupDlg.h"

#include "core/prompt/Operator.h"
#include "core/settings/Catalogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace halcyx {

namespace {

// A group of radio buttons, one per caption, numbered from 0; `checked` is checked.
QGroupBox* radioGroup(const QString& title, const std::array<const char*, 3>& captions, int count,
                      int checked, QButtonGroup* group) {
    auto* box = new QGroupBox(title);
    auto* layout = new QHBoxLayout(box);
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(captions[static_cast<std::size_t>(i)]));
        button->setChecked(i == checked);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    return box;
}

QLineEdit* valueField(const std::string& text) {
    auto* field = new QLineEdit(QString::fromStdString(text));
    field->setMaxLength(static_cast<int>(kModuleGraphValueChars));
    return field;
}

} // namespace

ModGraphSetupDlg::ModGraphSetupDlg(const ModGraphSettings& current, Operator& op, QWidget* parent)
    : QDialog(parent), low_(valueField(current.low)), high_(valueField(current.high)),
      units_(new QButtonGroup(this)), show_(new QCheckBox(QStringLiteral("Show Graph"))),
      grid_(new QCheckBox(QStringLiteral("Use Grid"))), width_(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("Module Graph Setup"));
    auto* yAxis = new QGroupBox(QStringLiteral("Y Axis"));
    auto* yLayout = new QFormLayout(yAxis);
    yLayout->addRow(QStringLiteral("Low:"), low_);
    yLayout->addRow(QStringLiteral("High:"), high_);
    QGroupBox* xAxis = radioGroup(QStringLiteral("X Axis"), {"Scans", "Time", ""}, 2,
                                  static_cast<int>(current.units), units_);
    show_->setChecked(current.show);
    grid_->setChecked(current.grid);
    QGroupBox* width = radioGroup(QStringLiteral("Display View Width:"),
                                  {"Narrow", "Normal", "Wide"}, 3, current.width, width_);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                     QDialogButtonBox::Help);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(box, &QDialogButtonBox::helpRequested, this, [&op] { op.showHelp(kHelpContext); });

    auto* checks = new QHBoxLayout;
    checks->addWidget(show_);
    checks->addWidget(grid_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(yAxis);
    layout->addWidget(xAxis);
    layout->addLayout(checks);
    layout->addWidget(width);
    layout->addWidget(box);
}

ModGraphSettings ModGraphSetupDlg::settings() const {
    ModGraphSettings s;
    s.low = low_->text().toStdString();
    s.high = high_->text().toStdString();
    s.units = units_->checkedId() == 1 ? StripUnits::Seconds : StripUnits::Scans;
    s.show = show_->isChecked();
    s.grid = grid_->isChecked();
    s.width = std::max(width_->checkedId(), 0);
    return s;
}

} // namespace halcyx
