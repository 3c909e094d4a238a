#pragma once

#include "core/instrument/CommandLayer.h"
#include "core/instrument/ConfigCommands.h"
#include "core/instrument/ConfigRecords.h"
#include "core/instrument/Detection.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/instrument/PortSetup.h"
#include "core/serial/CommPort.h"

namespace halcyx {

class Clock;
class Operator;
class Profile;
class SerialDevice;

// What the configuration window owns of the instrument, without any window: its port,
// the command layer, the instrument record and the settings records, and the sequences
// its commands run. The window posts itself notices and repaints; everything else is here.
class ConfigSession {
public:
    ConfigSession(SerialDevice& device, Clock& clock, Operator& op, Profile& settingsFile,
                  ProductChooser& chooser, PortSetupDialog& portDialog);

    CommPort& port() { return port_; }
    CommandLayer& layer() { return layer_; }
    InstrumentRecord& record() { return record_; }
    const InstrumentRecord& record() const { return record_; }
    InstrumentSettings& settings() { return settings_; }
    const InstrumentSettings& settings() const { return settings_; }

    // Set-up of the window: no instrument yet, and the port opened from the settings
    // file. Returns whether it opened; the window then posts its start-up notice.
    bool startUp();
    // The start-up notice: a port that did not open is explained once (which device, and
    // where to change it) and brings up the setup dialog; then the instrument is looked
    // for when the settings ask for it. Returns what the check found (nullopt when no
    // check ran).
    std::optional<CheckOutcome> onStartUpNotice(bool portOpened);

    // "Check Instrument". A port that closed itself when its device went away is opened
    // again from the settings file first. On ChooseAnotherPort the setup dialog has
    // already run and the window posts itself a re-check.
    CheckOutcome checkInstrument();
    // "Setup": the port setup dialog for this window.
    PortSetupResult portSetup();
    // After the communications terminal: the earlier port and rate come back; when the
    // port cannot be reopened the instrument is forgotten and looked for afresh. Returns
    // the outcome of that check, if one ran.
    std::optional<CheckOutcome> afterTerminal(PortChoice before);

    // Opens the port from the settings file (start-up and the way back from acquisition).
    [[nodiscard]] bool openPortFromSettings();
    [[nodiscard]] bool closePort() { return port_.Close(); }
    void readSettings();
    void readClock();
    void writeSettings();

    // The state the configuration commands are enabled by.
    EnablingState enablingState() const;

    // True once the instrument went away: its device vanished under a command (the port
    // closed itself) or a check found nothing. The instrument is then forgotten and the
    // commands that need it stay disabled until a check finds one again.
    bool instrumentLost() const { return lost_; }
    // Called after every command; true when it has just found the port closed.
    bool noticeLostDevice();

private:
    bool checkAtStartUp() const;
    void forgetInstrument();
    void explainPortFailure();

    SerialDevice& device_;
    Operator& op_;
    Profile& settingsFile_;
    PortSetupDialog& portDialog_;
    CommPort port_;
    CommandLayer layer_;
    InstrumentRecord record_;
    InstrumentSettings settings_;
    Detector detector_;
    bool lost_ = false;
};

} // namespace halcyx
