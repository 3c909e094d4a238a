#include "core/instrument/PortSetup.h"

#include "core/instrument/CommandLayer.h"
#include "core/instrument/Format.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"
#include "core/settings/PortSettings.h"

#include <string>

namespace halcyx {

namespace {

constexpr const char* kPortErrorCaption = "COMMUNICATION PORT ERROR";

void reportOpenFailure(Operator& op, int port) {
    op.message(formatText("Error opening COM%d", port), "OPEN COMM ERROR", Icon::Stop);
}

} // namespace

std::optional<std::uint32_t> openInstrumentPort(CommPort& port, const Profile& settings,
                                                Operator& op, PortFigures figures) {
    const int number = readPortNumber(settings, kInstrumentPort);
    if (!port.Setup(number, figures.input, figures.output)) {
        reportOpenFailure(op, number);
        return std::nullopt;
    }
    const std::uint32_t baud = readBaudRate(settings, kInstrumentBaud, op);
    port.SetBaud(baud);
    port.SetHandshake(CommPort::kHandshakeNone);
    return baud;
}

bool openConfigPort(CommandLayer& layer, const Profile& settings) {
    const auto baud = openInstrumentPort(layer.port(), settings, layer.op(), kConfigOpenFigures);
    if (!baud)
        return false;
    layer.setDelays(delaysAtOpen(*baud));
    layer.port().setDefaultPause(layer.delays().responseMs);
    return true;
}

PortSetupResult runPortSetup(CommPort& port, Profile& settings, Operator& op,
                             PortSetupDialog& dialog, PortFigures reopenFigures) {
    const auto choice = dialog.choosePort({port.port(), port.baud()});
    if (!choice)
        return PortSetupResult::Cancelled;
    // A port that failed to open, or whose device was changed, is opened again even when
    // its number stays.
    if (choice->port != port.port() || !port.isOpen() || choice->remapped) {
        if (!port.Close()) {
            op.message("Error closing comport", kPortErrorCaption, Icon::None);
            return PortSetupResult::PortFailed;
        }
        if (!port.Setup(choice->port, reopenFigures.input, reopenFigures.output)) {
            reportOpenFailure(op, choice->port);
            return PortSetupResult::PortFailed;
        }
        kInstrumentPort.write(settings, choice->port);
    }
    port.SetBaud(choice->baud);
    kInstrumentBaud.write(settings, static_cast<int>(choice->baud));
    return PortSetupResult::Applied;
}

PortSetupResult runConfigPortSetup(CommandLayer& layer, Profile& settings,
                                   PortSetupDialog& dialog) {
    const PortSetupResult result =
        runPortSetup(layer.port(), settings, layer.op(), dialog, kConfigChangeFigures);
    if (result == PortSetupResult::Applied)
        layer.setDelays(delaysAfterSetup(layer.port().baud(), layer.delays()));
    return result;
}

TerminalRestore restoreAfterTerminal(CommPort& port, Operator& op, PortChoice before) {
    // A port the terminal left closed (a failed change) is opened again even on its number.
    if (port.isOpen() && port.port() == before.port) {
        if (port.baud() == before.baud)
            return TerminalRestore::Unchanged;
        port.SetBaud(before.baud);
        return TerminalRestore::Restored;
    }
    if (!port.Close()) {
        op.message("Error Closing Comport", kPortErrorCaption, Icon::Stop);
        return TerminalRestore::CloseFailed;
    }
    if (!port.OpenPort(before.port)) {
        op.message("Error Opening Comport", kPortErrorCaption, Icon::Stop);
        return TerminalRestore::ReopenFailed;
    }
    // A reopened device keeps whatever rate it last had; the instrument talks at ours.
    port.SetBaud(before.baud);
    return TerminalRestore::Restored;
}

} // namespace halcyx
