#pragma once

#include "core/navigation/NavSession.h"
#include "gui/acquisition/NavPortDlg.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace halcyx {

struct WindowContext;

// The navigation port of a window on the Qt side: the serial device, the setup dialog and
// the navigation session, and the timer that runs the session's tick while a towed cast
// is logged. The no-data alarm is told to the operator once; the timer stands still while
// the message is open and goes on when it is closed, with what arrived in the meantime
// dropped, so the next position is one the receiver sends from then on.
class NavPort : public QObject {
    Q_OBJECT
public:
    NavPort(std::unique_ptr<SerialDevice> device, Clock& clock, Operator& op, Profile& settings,
            QWidget* dialogParent, IntSetting portSetting = kNavPort);
    NavPort(WindowContext& context, QWidget* dialogParent, IntSetting portSetting = kNavPort);

    // Entering acquisition: opens the port the settings name, refusing the instrument's
    // (dataPort, COM 1..4).
    void open(int dataPort) { session_.open(dataPort); }
    // Stops the ticks and closes the port; false (reported) when it would not close.
    bool close();
    // "&Navigation Port Setup".
    void setup() { session_.setup(); }
    // A towed cast starts: with the port enabled, what waited is dropped, the position is
    // unknown and the ticks run.
    void startCast();
    // The cast ends: no more ticks.
    void endCast();

    // What stamps the cast's records: the session while the port is enabled, else none.
    RecordStamp* stamp() { return session_.enabled() ? &session_ : nullptr; }
    // The current position and time, handed to the pressure graphs with every scan.
    const NavFix& fix() const { return session_.fix(); }
    NavSession& session() { return session_; }
    bool ticking() const { return timer_.isActive(); }

    // One navigation tick (the timer's); skipped while a command sequence runs.
    void tick();

private:
    std::unique_ptr<SerialDevice> device_;
    Operator& op_;
    QtNavPortDialog dialog_;
    NavSession session_;
    QTimer timer_;
    bool casting_ = false;
};

} // namespace halcyx
