#include "core/terminal/TerminalPort.h"

#include "core/instrument/PortSetup.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"
#include "core/settings/PortSettings.h"

#include <algorithm>

namespace halcyx {

namespace {
constexpr const char* kPortErrorCaption = "COMMUNICATION PORT ERROR";
} // namespace

std::string terminalBaudText(std::uint32_t baud) {
    const bool offered = std::find(kBaudRates.begin(), kBaudRates.end(), baud) != kBaudRates.end();
    return std::to_string(offered ? baud : kFallbackBaudRate);
}

TerminalSetupResult terminalPortSetup(CommPort& port, Operator& op, PortSetupDialog& dialog) {
    const auto choice = dialog.choosePort({port.port(), port.baud()});
    if (!choice)
        return TerminalSetupResult::Cancelled;
    // A port left closed by an earlier failed change is opened again even when its number
    // stays.
    const bool reopen = choice->port != port.port() || choice->remapped || !port.isOpen();
    if (reopen) {
        if (!port.Close()) {
            op.message("Error closing comport", kPortErrorCaption, Icon::Stop);
            return TerminalSetupResult::PortFailed;
        }
        if (!port.OpenPort(choice->port)) {
            op.message("Error Opening comport", kPortErrorCaption, Icon::Stop);
            return TerminalSetupResult::PortFailed;
        }
    }
    if (reopen || choice->baud != port.baud())
        port.SetBaud(choice->baud);
    return TerminalSetupResult::Applied;
}

} // namespace halcyx
