#include "core/instrument/ConfigCommands.h"

namespace halcyx {

bool isCommandEnabled(int command, const EnablingState& state) {
    for (const EnableRule& rule : kConfigEnableRules) {
        if (rule.command != command)
            continue;
        return (!rule.needsInstrument || isIdentified(state.product)) &&
               (!rule.needsOpen || state.openConfirmed) &&
               (!rule.needsSettingsRead || state.settingsRead) &&
               (!rule.needsSaveEnable || state.saveEnable);
    }
    return true;
}

MenuAfterDetection menuAfterDetection(ProductCode product) {
    switch (product) {
    case ProductCode::TavrinCT:
        return {true, std::nullopt};
    case ProductCode::TavrinP:
        // The Tavrin P has no continuous data mode.
        return {true, cmd::kContinuousDataMode};
    default:
        return {};
    }
}

} // namespace halcyx
