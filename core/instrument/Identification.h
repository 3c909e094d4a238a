#pragma once

#include "core/base/Product.h"

#include <optional>
#include <string_view>

namespace halcyx {

// The model an instrument's serial number names: "F" anywhere is a Tavrin CT, else "Q"
// a Tavrin P, else "M" or "m" a Vexa whose leading serial number tells the generation
// (below 1500, or 2300 to 2499: Vexa 2; any other: Vexa 3). Nullopt when the number
// names none of these and the operator has to say.
std::optional<ProductCode> productFromSerialNumber(std::string_view serialNumber);

// What a firmware version allows.
struct FirmwareCapabilities {
    bool averaging = false;    // the averaging settings exist
    bool scaledMemory = false; // the memory holds scaled 16-bit values
    bool samplerOff = false;   // the automatic sampler command must be switched off
};

// The capabilities of this model with this firmware version text ("2.10", "V1.6").
FirmwareCapabilities capabilitiesFor(ProductCode product, std::string_view firmware);

} // namespace halcyx
