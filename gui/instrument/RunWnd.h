#pragma once

#include <QDialog>
#include <QTimer>
#include <cstddef>

class QFormLayout;
class QLineEdit;

namespace halcyx {

class RunSession;

// What both run windows share: a column of read-only fields, the "Logging Data to File:"
// field, the "Close" button and the timer. Closing stops the timer and runs the session's
// closing sequence, whichever way the window is closed.
class RunWnd : public QDialog {
    Q_OBJECT
public:
    // One timer tick.
    virtual void tick() = 0;
    const QTimer& timer() const { return timer_; }
    // The field of a caption, e.g. "Temperature"; nullptr for none.
    QLineEdit* field(const QString& caption) const;

    void done(int result) override;

protected:
    RunWnd(const QString& title, int tickMs, QWidget* parent);
    // Adds a field below the others, showing "OFF" when its channel is off.
    QLineEdit* addField(const QString& caption, bool on);
    // Adds the logging field and the button, once the fields are in; starts the timer.
    void finishSetUp(RunSession& session, std::size_t closingReadBytes);
    // Brings the logging field up to date (a log that failed stops logging).
    void showLogging();
    QFormLayout& form() { return *form_; }

private:
    QFormLayout* form_;
    QLineEdit* logging_ = nullptr;
    QTimer timer_;
    RunSession* session_ = nullptr;
    std::size_t closingReadBytes_ = 0;
};

} // namespace halcyx
