#pragma once

#include <functional>
#include <optional>

namespace halcyx {

class CommandLayer;
struct InstrumentRecord;

// The operating mode a deployment leaves the instrument in.
enum class DeployMode { Interval, DelayedInterval, Continuous };

// The "Deploy" dialog as the deployment sees it: offers the remembered mode and hands back
// the operator's choice, or nullopt for "Cancel". The program shows the Qt dialog; tests
// script the answer.
class DeployModeChooser {
public:
    virtual ~DeployModeChooser() = default;
    virtual std::optional<DeployMode> chooseDeployMode(DeployMode remembered) = 0;
};

// Before a command disturbs a deployed instrument: asks whether to stop the deployment.
// False when the operator keeps it deployed; true (and the flag cleared) otherwise.
bool confirmStopDeployment(CommandLayer& layer, InstrumentRecord& instrument);

// The common start of the memory commands: confirmStopDeployment, then open mode. False
// when the command ends here.
bool startMemoryCommand(CommandLayer& layer, InstrumentRecord& instrument);

enum class DeployOutcome {
    NotStarted, // kept deployed, or no open mode
    Cancelled,  // the operator stopped it; the instrument stays in open mode
    Failed,     // a step failed and was reported; the instrument stays in open mode
    Deployed,   // in the chosen mode, the deployed flag set
};

// "&Deploy": optionally clears and arms the logging memory, stores the settings ("***E")
// and switches the instrument into the chosen operating mode. selection is the window's
// remembered mode and takes the operator's choice. For Interval and Continuous, whose
// instrument answers a return with a line of data, requestTerminal is called once the
// instrument is running, so the window can offer the terminal after the command.
DeployOutcome Deploy(CommandLayer& layer, InstrumentRecord& instrument, DeployMode& selection,
                     DeployModeChooser& chooser, const std::function<void()>& requestTerminal);

} // namespace halcyx
