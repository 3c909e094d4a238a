#include "gui/instrument/ConfigDlg.h"

#include "core/app/HelpLocation.h"
#include "core/instrument/ClockSetting.h"
#include "core/instrument/ConfigRecords.h"
#include "core/prompt/Operator.h"
#include "gui/instrument/GetTimeDlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace halcyx {

namespace {

// Wide enough for "mm-dd-yyyy" with room to spare [px].
constexpr int kTimingFieldWidthPx = 110;

QLineEdit* timingEdit(QWidget* parent, std::size_t maxChars) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(static_cast<int>(maxChars));
    edit->setFixedWidth(kTimingFieldWidthPx);
    return edit;
}

} // namespace

ConfigDlg::ConfigDlg(const QString& title, ConfigFamily family, const AverageEntry& average,
                     CommPort& port, Operator& op, bool averagingAvailable, QWidget* parent)
    : QDialog(parent), family_(family), port_(port), op_(op),
      averagingAvailable_(averagingAvailable),
      intervalTime_(timingEdit(this, SettingText::kMaxChars)),
      onTime_(timingEdit(this, SettingText::kMaxChars)),
      delayedDate_(timingEdit(this, SettingText::kMaxChars)),
      delayedTime_(timingEdit(this, SettingText::kMaxChars)),
      instrumentTime_(timingEdit(this, SettingText::kMaxChars)),
      instrumentDate_(timingEdit(this, SettingText::kMaxChars)),
      average_(timingEdit(this, average.maxChars)),
      continuousOutput_(
          new QCheckBox(QStringLiteral("Output RS-232 Data Cont. on Power Up"), this)),
      scaledOutput_(new QCheckBox(QStringLiteral("Scaled Output ( 0 - 64K Counts )"), this)),
      saveButton_(new QPushButton(QStringLiteral("Save"), this)),
      helpButton_(new QPushButton(QStringLiteral("Help"), this)),
      setTimeButton_(new QPushButton(QStringLiteral("Set Time"), this)),
      channelRow_(new QHBoxLayout), buttonColumn_(new QVBoxLayout) {
    setWindowTitle(title);
    instrumentTime_->setReadOnly(true);
    instrumentDate_->setReadOnly(true);
    average_->setEnabled(averagingAvailable);

    auto* timing = new QGroupBox(QStringLiteral("Timing"), this);
    auto* timingForm = new QFormLayout(timing);
    timingForm->addRow(QStringLiteral("Interval Time:"), intervalTime_);
    timingForm->addRow(QStringLiteral("On Time:"), onTime_);
    timingForm->addRow(QStringLiteral("Delayed Date:"), delayedDate_);
    timingForm->addRow(QStringLiteral("Delayed Time:"), delayedTime_);

    auto* clock = new QGroupBox(QStringLiteral("Instrument Time"), this);
    auto* clockForm = new QFormLayout(clock);
    clockForm->addRow(QStringLiteral("Time:"), instrumentTime_);
    clockForm->addRow(QStringLiteral("Date:"), instrumentDate_);

    auto* averaging = new QGroupBox(average.group, this);
    auto* averagingForm = new QFormLayout(averaging);
    averagingForm->addRow(average.label, average_);

    auto* timingRow = new QHBoxLayout;
    timingRow->addWidget(timing);
    timingRow->addWidget(clock, 0, Qt::AlignTop);

    auto* outputRow = new QHBoxLayout;
    auto* outputs = new QVBoxLayout;
    outputs->addWidget(continuousOutput_);
    outputs->addWidget(scaledOutput_);
    outputs->addStretch();
    outputRow->addLayout(outputs);
    outputRow->addWidget(averaging);

    auto* entries = new QVBoxLayout;
    entries->addLayout(channelRow_);
    entries->addLayout(timingRow);
    entries->addLayout(outputRow);

    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    saveButton_->setDefault(true);
    buttonColumn_->addWidget(saveButton_);
    buttonColumn_->addWidget(cancelButton);
    buttonColumn_->addWidget(helpButton_);
    buttonColumn_->addSpacing(12);
    buttonColumn_->addWidget(setTimeButton_);
    auto* buttons = new QVBoxLayout;
    buttons->addLayout(buttonColumn_);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(entries);
    layout->addLayout(buttons);

    connect(saveButton_, &QPushButton::clicked, this, &ConfigDlg::accept);
    connect(cancelButton, &QPushButton::clicked, this, &ConfigDlg::reject);
    connect(helpButton_, &QPushButton::clicked, this,
            [this] { op_.showHelp(help::kConfigureInstrument); });
    connect(setTimeButton_, &QPushButton::clicked, this, &ConfigDlg::setTime);
}

void ConfigDlg::accept() {
    const std::string interval = text(intervalTime_);
    const std::string on = text(onTime_);
    const std::string date = text(delayedDate_);
    const std::string time = text(delayedTime_);
    const std::string averageLength = text(average_);
    const TimingEntries entries{interval, on, date, time, averageLength, averagingAvailable_};
    const auto failure =
        confirmSave(family_, entries, op_, dcQuestionState(), [this] { openDcSetup(); });
    if (failure) {
        QLineEdit* edit = fieldEdit(failure->field);
        edit->setFocus();
        edit->selectAll();
        return;
    }
    store();
    QDialog::accept();
}

void ConfigDlg::setTime() {
    GetTimeDlg entry(localClockTexts(), this);
    if (entry.exec() != QDialog::Accepted)
        return;
    const ClockTexts texts = entry.texts();
    setText(instrumentTime_, texts.time);
    setText(instrumentDate_, texts.date);
    setInstrumentClock(port_, op_, texts);
}

QLineEdit* ConfigDlg::fieldEdit(ConfigField field) const {
    switch (field) {
    case ConfigField::IntervalTime:
        return intervalTime_;
    case ConfigField::OnTime:
        return onTime_;
    case ConfigField::DelayedDate:
        return delayedDate_;
    case ConfigField::DelayedTime:
        return delayedTime_;
    case ConfigField::AverageLength:
        return average_;
    }
    return intervalTime_;
}

void ConfigDlg::setText(QLineEdit* edit, std::string_view text) {
    edit->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ConfigDlg::text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

void ConfigDlg::setFlag(QAbstractButton* box, std::uint16_t flag) {
    box->setChecked(flag != 0);
}

std::uint16_t ConfigDlg::flag(const QAbstractButton* box) {
    return box->isChecked() ? 1 : 0;
}

} // namespace halcyx
