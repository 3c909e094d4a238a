#pragma once

#include "core/instrument/DcChannelTable.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace halcyx {

class Operator;

// "DC Channel Setup": the names and polynomial coefficients of the eight auxiliary DC
// channels, one channel at a time. Moving to another channel and "OK" keep the channel's
// edits in the table's texts; closing otherwise drops only the edits of the channel shown.
// The numeric copy the conversions use is refreshed elsewhere, except by "Load From File",
// which replaces texts and numbers of all eight channels from a configuration file.
class DCSetupDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTerms = 5; // A to E

    DCSetupDlg(DCChannelTable& table, Operator& op, QWidget* parent = nullptr);

    // "OK": keeps the channel shown, then closes.
    void accept() override;

    // The channel shown, 0 for DC1.
    int channel() const { return channel_; }

    QLabel* channelNumber() const { return channelNumber_; }
    QLineEdit* nameEdit() const { return name_; }
    // term 0 is A, 4 is E.
    QLineEdit* termEdit(int term) const { return terms_.at(static_cast<std::size_t>(term)); }
    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QPushButton* loadButton() const { return load_; }
    QPushButton* helpButton() const { return help_; }

private:
    void move(int step);
    void loadFromFile();
    void storeChannel();
    void showChannel();

    DCChannelTable& table_;
    Operator& op_;
    int channel_ = 0;
    QLabel* channelNumber_;
    QLineEdit* name_;
    std::array<QLineEdit*, kTerms> terms_{};
    QPushButton* previous_;
    QPushButton* next_;
    QPushButton* load_;
    QPushButton* help_;
};

} // namespace halcyx
