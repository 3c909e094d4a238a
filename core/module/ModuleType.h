#pragma once

#include <array>

namespace halcyx {

// The three single-parameter sensor modules the program logs.
enum class ModuleType { Conductivity, Temperature, Pressure };

// What the choice of a module changes: its button in the selection dialog, and the module
// graph's title and vertical caption.
struct ModuleTraits {
    ModuleType type;
    const char* button;
    const char* title;
    const char* caption;
};

inline constexpr std::array<ModuleTraits, 3> kModuleTraits{{
    {ModuleType::Conductivity, "Sea Conductivity Unit (SCU)", "Conductivity",
     "Conductivity (mmho IPS-78)"},
    {ModuleType::Temperature, "Sea Temperature Unit (STU)", "Temperature",
     "Temperature (Celsius ITS-90)"},
    {ModuleType::Pressure, "Sea Pressure Unit (SPU)", "Pressure", "Pressure (dbars)"},
}};

inline const ModuleTraits& moduleTraits(ModuleType type) {
    return kModuleTraits[static_cast<std::size_t>(type)];
}

} // namespace halcyx
