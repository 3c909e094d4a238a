#include "core/instrument/Deployment.h"

#include "core/instrument/Answer.h"
#include "core/instrument/CommandLayer.h"
#include "core/instrument/InstrumentRecord.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

#include <algorithm>
#include <string>

namespace halcyx {

namespace {

// Pauses of the memory commands [ms]: the logging memory answers slowly.
constexpr std::uint32_t kVexaStepPauseMs = 200;      // before CLOG, CAOP, ZMEM
constexpr std::uint32_t kZeroStartPauseMs = 2000;    // after ZMEM, before the polls
constexpr std::uint32_t kZeroPollPauseMs = 500;      // before each read of a poll
constexpr int kZeroPolls = 110;                      // unanswered, the zeroing failed
constexpr std::uint32_t kPointerPauseMs = 500;       // before RLPTR and SLOG (Vexa)
constexpr std::uint32_t kPointerAnswerMs = 1500;     // RLPTR's answer
constexpr std::uint32_t kTavrinZeroAnswerMs = 30000; // a Tavrin zeroes its memory in one go
constexpr std::uint32_t kRunModePauseMs = 2000;      // after the mode command

// Answer sizes [bytes].
constexpr std::size_t kMemoryAnswerBytes = 200;
constexpr std::size_t kTavrinMemoryAnswerBytes = 500;

constexpr const char* kRunModeText[] = {
    "The Instrument is now in Interval Mode!\nPress the ENTER key to request a line of data.",
    "The Instrument is now in Delayed Start Mode.",
    "The Instrument is now in Run Mode!\nPress the ENTER key to request a line of data.",
};
constexpr const char* kModeCommand[] = {"***I", "***D", "***R"};

void clearAddressMode(CommandLayer& layer, ProgressBox& box) {
    box.line1("Clearing Address mode...");
    box.line2("CAOP");
    if (!layer.port().SendCommand("CAOP"))
        layer.op().message("Error clearing address Mode!", "Bad Command", Icon::Stop);
}

// How the memory steps end: nullopt to go on with the deployment, or its outcome.
using Ending = std::optional<DeployOutcome>;
constexpr Ending kGoOn = std::nullopt;

Ending failed(Operator& op, const char* text, const char* caption) {
    op.message(text, caption, Icon::Stop);
    return DeployOutcome::Failed;
}

// Reports a failed step the operator may go past; ends the deployment unless told to go on.
Ending goOnUnless(Operator& op, bool answered, const char* question, const char* caption) {
    if (answered || op.askYesNo(question, caption, Icon::Stop))
        return kGoOn;
    return DeployOutcome::Failed;
}

Ending setLogging(CommandLayer& layer, ProgressBox& box) {
    box.line2("SLOG");
    const std::string answer =
        layer.exchange("SLOG", kMemoryAnswerBytes, layer.delays().responseMs);
    return goOnUnless(layer.op(), contains(answer, "Data Logging is set"),
                      "ERROR - Turning Logging ON!\nDo you want to continue?", "SLOG Error");
}

// Vexa 2 and 3: optionally logging off, memory zeroed, pointer reset, logging on.
Ending armVexaMemory(CommandLayer& layer, ProgressBox& box) {
    Operator& op = layer.op();
    CommPort& port = layer.port();
    layer.purgeReceive();
    if (!op.askYesNo("Do you want to log data to memory?", "Memory", Icon::Question))
        return kGoOn;
    if (!op.askYesNo("This will erase all data in memory!\n\nAre you sure?", "Erase Data Memory",
                     Icon::Question)) {
        op.message("Deploy cancelled by user!", "Deploy", Icon::Exclamation);
        return DeployOutcome::Cancelled;
    }
    box.line1("Disabling Logging Memory...");
    box.line2("CLOG");
    port.Sleep(kVexaStepPauseMs);
    const std::string cleared =
        layer.exchange("CLOG", kMemoryAnswerBytes, layer.delays().responseMs);
    if (const Ending end =
            goOnUnless(op, contains(cleared, "Data Logging is cleared"),
                       "ERROR - Turning Logging OFF!\nDo you want to continue?", "CLOG Error"))
        return end;

    port.Sleep(kVexaStepPauseMs);
    clearAddressMode(layer, box);

    port.Sleep(kVexaStepPauseMs);
    box.line1("Writing Zeros to Memory...");
    box.line2("ZMEM");
    layer.write("ZMEM\r");
    port.Sleep(kZeroStartPauseMs);
    // The answer may straddle two polls: each poll looks at the tail of the one before too.
    constexpr std::string_view kZeroed = "Logging Memory Zeroed";
    std::string polled;
    for (int poll = 1; !contains(polled, kZeroed); ++poll) {
        if (poll > kZeroPolls)
            return failed(op, "ERROR - zoreing memory!", "ZMEM Error");
        polled.erase(0, polled.size() - std::min(polled.size(), kZeroed.size()));
        polled += layer.readAnswer(kMemoryAnswerBytes, kZeroPollPauseMs);
    }

    port.Sleep(kPointerPauseMs);
    layer.purgeReceive();
    box.line1("Initializing Logging Memory...");
    box.line2("RLPTR");
    if (!contains(layer.exchange("RLPTR", kMemoryAnswerBytes, kPointerAnswerMs), "Hardware"))
        return failed(op, "ERROR - Resetting Logging Pointer!", "RLPTR Error");

    port.Sleep(kPointerPauseMs);
    return setLogging(layer, box);
}

// Tavrin CT and P: logging off, then optionally pointer reset, memory zeroed, logging on.
Ending armTavrinMemory(CommandLayer& layer, ProgressBox& box) {
    Operator& op = layer.op();
    box.line1("Disabling Logging Memory...");
    box.line2("CLOG");
    // A refusal has been reported by SendCommand; silence ends the deployment quietly.
    if (!layer.port().SendCommand("CLOG"))
        return DeployOutcome::Failed;
    clearAddressMode(layer, box);
    if (!op.askYesNo("Do you want to reset memory logging and zero memory?", "Memory",
                     Icon::Question))
        return kGoOn;

    box.line1("Initializing Logging Memory...");
    box.line2("RLPTR");
    if (!contains(layer.exchange("RLPTR", kTavrinMemoryAnswerBytes, kPointerAnswerMs), "Reset"))
        return failed(op, "ERROR - Resetting Logging Pointer!", "RLPTR Error");

    box.line1("Clearing Logging Memory...");
    box.line2("ZMEM takes approx. 30 seconds");
    if (!contains(layer.exchange("ZMEM", kTavrinMemoryAnswerBytes, kTavrinZeroAnswerMs), "Zeroed"))
        return failed(op, "ERROR - Clearing Memory!", "ZMEM Error");
    return setLogging(layer, box);
}

void storeSettings(CommandLayer& layer, ProgressBox& box) {
    box.line2("***E");
    layer.pauseResponse();
    layer.writeUnchecked("***E\r");
}

} // namespace

bool confirmStopDeployment(CommandLayer& layer, InstrumentRecord& instrument) {
    if (!instrument.deployed)
        return true;
    if (!layer.op().askYesNo("The Instrument is currently deployed!\nStop deployment?", "Deploy",
                             Icon::Question))
        return false;
    instrument.deployed = false;
    return true;
}

bool startMemoryCommand(CommandLayer& layer, InstrumentRecord& instrument) {
    return confirmStopDeployment(layer, instrument) && layer.EnsureOpen(kNotInOpenMode);
}

DeployOutcome Deploy(CommandLayer& layer, InstrumentRecord& instrument, DeployMode& selection,
                     DeployModeChooser& chooser, const std::function<void()>& requestTerminal) {
    if (!startMemoryCommand(layer, instrument))
        return DeployOutcome::NotStarted;
    Operator& op = layer.op();
    {
        ProgressBox box(op);
        const Ending end =
            isVexa(instrument.product) ? armVexaMemory(layer, box) : armTavrinMemory(layer, box);
        if (end)
            return *end;
        storeSettings(layer, box);
    }

    const std::optional<DeployMode> chosen = chooser.chooseDeployMode(selection);
    if (!chosen) {
        op.message("The instrument is not in run mode!\nDeployment cancelled by user.", "Cancel",
                   Icon::None);
        return DeployOutcome::Cancelled;
    }
    selection = *chosen;
    const auto mode = static_cast<std::size_t>(selection);
    {
        const WaitCursor wait(op);
        ProgressBox box(op);
        const std::string model =
            isVexa(instrument.product) ? "Vexa" : std::string(modelText(instrument.product));
        box.line1("Setting " + model + " to Run Mode");
        box.line2(kModeCommand[mode]);
        layer.write(std::string(kModeCommand[mode]) + "\r");
        layer.port().Sleep(kRunModePauseMs);
        op.message(kRunModeText[mode], "Deploy", Icon::None);
        if (selection != DeployMode::DelayedInterval && requestTerminal)
            requestTerminal();
        layer.setMode(InstrumentMode::Run);
        instrument.deployed = true;
    }
    return DeployOutcome::Deployed;
}

} // namespace halcyx
