#pragma once

#include "core/base/Commands.h"
#include "core/base/Product.h"

#include <array>
#include <optional>

namespace halcyx {

// The configuration window's own command that writes the settings to the instrument; it
// is on no menu, so its number is one no menu uses.
inline constexpr int kWriteSettingsCommand = 232;

// What the enabling of the configuration commands depends on.
struct EnablingState {
    ProductCode product = ProductCode::None;
    bool openConfirmed = false; // an open-mode request was answered
    bool settingsRead = false;
    bool saveEnable = false;
};

// When a command is enabled: every condition it names must hold.
struct EnableRule {
    int command;
    bool needsInstrument; // product code of an identified model
    bool needsOpen;       // open-confirmed
    bool needsSettingsRead;
    bool needsSaveEnable;
};

inline constexpr std::array<EnableRule, 8> kConfigEnableRules = {{
    {cmd::kSaveConfig, false, false, false, true},
    {cmd::kPrintConfig, false, false, true, false},
    {cmd::kViewDataFile, true, false, false, false},
    {cmd::kConfigureInstrument, false, true, false, false},
    {cmd::kContinuousDataMode, false, true, false, false},
    {cmd::kRetrieveData, false, true, false, false},
    {cmd::kDeploy, true, true, false, false},
    {kWriteSettingsCommand, false, true, true, false},
}};

// Whether a configuration command is enabled; commands without a rule always are.
bool isCommandEnabled(int command, const EnablingState& state);

// How the configuration menu changes after a successful detection.
struct MenuAfterDetection {
    bool installFresh = false;         // replace the menu by a fresh copy
    std::optional<int> removedCommand; // take this item out of the fresh copy
};
MenuAfterDetection menuAfterDetection(ProductCode product);

} // namespace halcyx
