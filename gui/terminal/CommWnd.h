#pragma once

#include "gui/instrument/SetComportDlg.h"

#include <QDialog>
#include <QTimer>

class QComboBox;
class QLabel;

namespace halcyx {

class CommPort;
class JEdit;
class Operator;
class Profile;

// "Communications Window": a modal terminal on its opener's port. What the operator types
// goes to the instrument character by character, what the instrument sends is shown every
// 50 ms, and a standard command goes out with one selection. "Port Setup" may change the
// port's number and rate; the opener decides whether that outlasts the terminal.
class CommWnd : public QDialog {
    Q_OBJECT
public:
    CommWnd(CommPort& port, Operator& op, Profile& settings, QWidget* parent = nullptr);

    // One timer tick: what the port received, shown at the caret.
    void tick();
    // Sends the standard command of that list position and shows it.
    void sendStandardCommand(int index);
    // "Port Setup": the timer rests while the dialog is up and after a failed change.
    void portSetup();
    // Writes the text to a file the operator chooses, lines ended by CR LF.
    void saveText();

    JEdit& textArea() { return *text_; }
    QComboBox& commandList() { return *commands_; }
    QString baudText() const;
    const QTimer& timer() const { return timer_; }

    // "Close", Escape and the window's close all stop the timer first.
    void done(int result) override;

private:
    void showBaud(std::uint32_t baud);

    CommPort& port_;
    Operator& op_;
    QtPortSetupDialog portDialog_;
    QTimer timer_;
    JEdit* text_;
    QComboBox* commands_;
    QLabel* baud_;
};

} // namespace halcyx
