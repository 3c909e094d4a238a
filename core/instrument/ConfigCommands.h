#pragma once

#include "instrument/Product.h"

#include <array>
#include <optional>

namespace halcyx {

// Command identifiers of the configuration menu that depend on the attached instrument.
namespace config_command {
inline constexpr int kOpen = 220;
inline constexpr int kSave = 221;
inline constexpr int kPrintConfiguration = 222;
inline constexpr int kViewDataFile = 223;
inline constexpr int kCheckInstrument = 230;
inline constexpr int kConfigureInstrument = 231;
inline constexpr int kDeploy = 238;
inline constexpr int kContinuousDataMode = 251;
inline constexpr int kRetrieveData = 260;
inline constexpr int kSetup = 301;
// Not on any menu: the window's own "write the settings to the instrument" command.
inline constexpr int kWriteSettings = 232;
} // namespace config_command

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
    {config_command::kSave, false, false, false, true},
    {config_command::kPrintConfiguration, false, false, true, false},
    {config_command::kViewDataFile, true, false, false, false},
    {config_command::kConfigureInstrument, false, true, false, false},
    {config_command::kContinuousDataMode, false, true, false, false},
    {config_command::kRetrieveData, false, true, false, false},
    {config_command::kDeploy, true, true, false, false},
    {config_command::kWriteSettings, false, true, true, false},
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
