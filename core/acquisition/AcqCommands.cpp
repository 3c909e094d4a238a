#include "core/acquisition/AcqCommands.h"

namespace halcyx {

std::optional<CommandState> acqCommandState(int command, const AcqCommandContext& context) {
    const bool idle = !context.logging;
    if (command >= cmd::kPressureGraph1 && command <= cmd::kPressureGraph4)
        return CommandState{context.towed, false};
    switch (command) {
    case cmd::kStartCast:
    case cmd::kStartUpCast:
    case cmd::kPortSetup:
    case cmd::kNavigationPortSetup:
        return CommandState{idle, false};
    case cmd::kEndCast:
        return CommandState{context.logging && context.downCast, false};
    case cmd::kEndUpCast:
        return CommandState{context.logging && !context.downCast, false};
    case cmd::kAcqProperties:
    case cmd::kDcChannelSetup:
        return CommandState{};
    case cmd::kGraph:
        return CommandState{true, context.graphVisible};
    case cmd::kListing:
        return CommandState{true, context.listingVisible};
    case cmd::kHomeSampler:
    case cmd::kFireBottle:
        return CommandState{!context.towed && context.samplerEnabled, false};
    case cmd::kEnableSampler:
        return CommandState{true, context.samplerEnabled};
    default:
        return std::nullopt;
    }
}

} // namespace halcyx
