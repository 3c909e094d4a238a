#pragma once

#include "core/instrument/ConfigValidation.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <cstdint>
#include <string>
#include <string_view>

class QHBoxLayout;
class QPushButton;
class QVBoxLayout;

namespace halcyx {

class CommPort;
class Operator;

// What the three configuration dialogs share: the timing entries, the instrument's clock
// with "Set Time", the output options, the averaging entry, and "Save", which runs the
// checks and closes only when they pass. The dialog is built over a record it was given
// and moves its entries into that record only on a "Save" that passed; until then the
// record is untouched. The model's dialogs add their channel groups and buttons.
class ConfigDlg : public QDialog {
    Q_OBJECT
public:
    // "Save": the checks, then the entries into the record and the dialog closes.
    void accept() override;

    QLineEdit* intervalTime() const { return intervalTime_; }
    QLineEdit* onTime() const { return onTime_; }
    QLineEdit* delayedDate() const { return delayedDate_; }
    QLineEdit* delayedTime() const { return delayedTime_; }
    QLineEdit* instrumentTime() const { return instrumentTime_; }
    QLineEdit* instrumentDate() const { return instrumentDate_; }
    QLineEdit* average() const { return average_; }
    QCheckBox* continuousOutput() const { return continuousOutput_; }
    QCheckBox* scaledOutput() const { return scaledOutput_; }
    QPushButton* saveButton() const { return saveButton_; }
    QPushButton* helpButton() const { return helpButton_; }
    QPushButton* setTimeButton() const { return setTimeButton_; }

protected:
    // The captions of the averaging entry, which differ between the families.
    struct AverageEntry {
        QString group;
        QString label;
        std::size_t maxChars; // what the record's field holds
    };

    ConfigDlg(const QString& title, ConfigFamily family, const AverageEntry& average,
              CommPort& port, Operator& op, bool averagingAvailable, QWidget* parent);

    Operator& op() const { return op_; }
    // The row of channel groups above the shared entries.
    QHBoxLayout* channelRow() const { return channelRow_; }
    // The column of buttons beside the entries; the model appends its own.
    QVBoxLayout* buttonColumn() const { return buttonColumn_; }

    // Fields every record has under the same names; only the averaging field differs.
    template <class Record, class Average>
    void showShared(const Record& record, const Average& average) {
        setText(intervalTime_, record.intervalTime.view());
        setText(onTime_, record.onTime.view());
        setText(delayedDate_, record.delayedDate.view());
        setText(delayedTime_, record.delayedTime.view());
        setText(instrumentTime_, record.instrumentTime.view());
        setText(instrumentDate_, record.instrumentDate.view());
        setText(average_, average.view());
        setFlag(continuousOutput_, record.continuousOutput);
        setFlag(scaledOutput_, record.scaledOutput);
    }
    template <class Record, class Average> void storeShared(Record& record, Average& average) {
        record.intervalTime = text(intervalTime_);
        record.onTime = text(onTime_);
        record.delayedDate = text(delayedDate_);
        record.delayedTime = text(delayedTime_);
        record.instrumentTime = text(instrumentTime_);
        record.instrumentDate = text(instrumentDate_);
        average = text(average_);
        record.continuousOutput = flag(continuousOutput_);
        record.scaledOutput = flag(scaledOutput_);
    }

    static void setText(QLineEdit* edit, std::string_view text);
    static std::string text(const QLineEdit* edit);
    static void setFlag(QAbstractButton* box, std::uint16_t flag);
    static std::uint16_t flag(const QAbstractButton* box);

    // The Vexa dialog's DC question before the checks; nullptr for the others.
    virtual VexaSaveState* dcQuestionState() { return nullptr; }
    virtual void openDcSetup() {}
    // Moves every entry into the record.
    virtual void store() = 0;

private:
    // "Set Time": the operator confirms or changes the computer's clock, which is then
    // shown here and sent to the instrument.
    void setTime();
    QLineEdit* fieldEdit(ConfigField field) const;

    ConfigFamily family_;
    CommPort& port_;
    Operator& op_;
    bool averagingAvailable_;
    QLineEdit* intervalTime_;
    QLineEdit* onTime_;
    QLineEdit* delayedDate_;
    QLineEdit* delayedTime_;
    QLineEdit* instrumentTime_;
    QLineEdit* instrumentDate_;
    QLineEdit* average_;
    QCheckBox* continuousOutput_;
    QCheckBox* scaledOutput_;
    QPushButton* saveButton_;
    QPushButton* helpButton_;
    QPushButton* setTimeButton_;
    QHBoxLayout* channelRow_;
    QVBoxLayout* buttonColumn_;
};

} // namespace halcyx
