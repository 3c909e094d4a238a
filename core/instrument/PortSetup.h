#pragma once

#include "core/instrument/CommandDelays.h"

#include <cstdint>
#include <optional>

namespace halcyx {

class CommPort;
class CommandLayer;
class Operator;
class Profile;

// The queue figures a window opens its instrument port with.
struct PortFigures {
    std::uint16_t input;
    std::uint16_t output;
};
inline constexpr PortFigures kConfigOpenFigures{1024, 1024};   // start-up, after acquisition
inline constexpr PortFigures kConfigChangeFigures{4096, 1024}; // port changed in the dialog
inline constexpr PortFigures kAcquisitionFigures{8192, 1024};  // both acquisition windows

// A COM number 1..4 and a baud rate [bit/s], as the setup dialog shows and returns them.
struct PortChoice {
    int port = 1;
    std::uint32_t baud = 9600;
    bool remapped = false; // the chosen COM number now names another device
};

// The "Communications Setup" dialog: radio buttons for COM1..COM4 and the nine rates.
class PortSetupDialog {
public:
    virtual ~PortSetupDialog() = default;
    // Shows current checked (an unknown rate checks 9600, an unknown port COM1); the
    // choice on OK, nullopt on Cancel.
    virtual std::optional<PortChoice> choosePort(PortChoice current) = 0;
};

// Opens the instrument port from the settings file as every window does: COMMPORT/Port
// (outside 1..4: COM1) with the window's figures, then COMMPORT/Baudrate (an unknown rate
// is reported and 9600 used) without flow control. Returns the rate in use, or nullopt
// when the port would not open ("Error opening COM%d" shown).
[[nodiscard]] std::optional<std::uint32_t>
openInstrumentPort(CommPort& port, const Profile& settings, Operator& op, PortFigures figures);

// The configuration window's open: as above, then the command pauses for the rate, which
// also become the port's default pause. False when the port would not open.
[[nodiscard]] bool openConfigPort(CommandLayer& layer, const Profile& settings);

// What a port setup did.
enum class PortSetupResult {
    Cancelled,  // nothing changed
    Applied,    // the port and rate chosen are in use and written to the settings file
    PortFailed, // the old port was closed and the new one would not open
};

// Runs the setup dialog for the instrument port and applies the choice: a new port
// number (or a port that is not open) closes the old port and opens the chosen one with
// reopenFigures; then the rate.
// Both are written to the settings file once in use.
PortSetupResult runPortSetup(CommPort& port, Profile& settings, Operator& op,
                             PortSetupDialog& dialog, PortFigures reopenFigures);

// The configuration window's port setup: as above with kConfigChangeFigures, and the
// pauses follow the rate where it has pauses of its own (the default pause stays).
PortSetupResult runConfigPortSetup(CommandLayer& layer, Profile& settings, PortSetupDialog& dialog);

// What the configuration window must do after the communications terminal, which may
// have changed its port or rate, has closed.
enum class TerminalRestore {
    Unchanged,    // port and rate as before
    Restored,     // the earlier port and rate are back
    CloseFailed,  // the terminal's port would not close (reported)
    ReopenFailed, // the earlier port would not open again (reported): start afresh
};
TerminalRestore restoreAfterTerminal(CommPort& port, Operator& op, PortChoice before);

} // namespace halcyx
