#pragma once

#include <cstdint>
#include <string>

namespace halcyx {

class CommPort;
class Operator;
class PortSetupDialog;

// The rate as the terminal's baud display shows it: the rates the setup dialog offers,
// with anything else shown as the line's default, "9600".
std::string terminalBaudText(std::uint32_t baud);

// What a port setup inside the terminal did.
enum class TerminalSetupResult {
    Cancelled,  // nothing changed
    Applied,    // the chosen port and rate are in use
    PortFailed, // the old port would not close or the new one would not open (reported)
};

// "Port Setup" inside the terminal: the setup dialog preset with the port's number and
// rate; a new number, a device remapped behind the same number or a port left closed by an
// earlier failure closes the port and opens the chosen one, and the rate is applied when it changed
// or the port was reopened, since a reopened device keeps whatever rate it last had. The settings
// file is left alone: the terminal's choice lasts as long as its opener lets it.
TerminalSetupResult terminalPortSetup(CommPort& port, Operator& op, PortSetupDialog& dialog);

} // namespace halcyx
