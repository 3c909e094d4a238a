#pragma once

#include "core/base/Product.h"
#include "core/instrument/ConfigRecords.h"

#include <cstdint>

namespace halcyx {

// What detection found out about the attached instrument. Each detection replaces it
// field by field; a field whose query failed keeps its previous value.
struct InstrumentRecord {
    ProductCode product = ProductCode::None;
    SettingText model;         // "Vexa 2" ... "Tavrin P"
    SettingText serialNumber;  // the "S/N" answer
    SettingText firmware;      // the "VER" answer
    SettingText calDate;       // the "CDATE" answer
    std::int32_t address = 0;  // the "ADR" answer
    bool averaging = false;    // the firmware knows the averaging settings
    bool scaledMemory = false; // logged memory holds scaled 16-bit values
    bool deployed = false;     // this program left the instrument deployed
    bool settingsRead = false; // settings were read since the last detection
    bool saveEnable = false;   // the settings may be saved to a configuration file
};

} // namespace halcyx
