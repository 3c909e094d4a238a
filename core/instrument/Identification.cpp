#include "core/instrument/Identification.h"

#include "core/instrument/Answer.h"

namespace halcyx {

namespace {

// Serial-number ranges of the older generation of Vexa.
constexpr int kFirstVexa3Number = 1500;
constexpr int kVexa2RangeFirst = 2300;
constexpr int kVexa2RangeLast = 2499;

// Firmware versions beyond which a feature exists. Compared in single precision, so a
// text such as "1.90" equals its limit and does not pass it.
constexpr float kCtAveragingAbove = 1.5F;
constexpr float kPAveragingAbove = 1.3F;
constexpr float kVexa3AveragingAbove = 1.9F;
constexpr float kVexa3SamplerAbove = 2.0F;
// A Vexa 3 firmware text with this second character lacks averaging and scaled memory.
constexpr char kReducedFirmwareMark = 'I';

} // namespace

std::optional<ProductCode> productFromSerialNumber(std::string_view serialNumber) {
    if (contains(serialNumber, "F"))
        return ProductCode::TavrinCT;
    if (contains(serialNumber, "Q"))
        return ProductCode::TavrinP;
    if (!contains(serialNumber, "M") && !contains(serialNumber, "m"))
        return std::nullopt;
    const int number = leadingNumber(serialNumber);
    const bool olderVexa =
        number < kFirstVexa3Number || (number >= kVexa2RangeFirst && number <= kVexa2RangeLast);
    return olderVexa ? ProductCode::Vexa2 : ProductCode::Vexa3;
}

FirmwareCapabilities capabilitiesFor(ProductCode product, std::string_view firmware) {
    FirmwareCapabilities caps;
    switch (product) {
    case ProductCode::TavrinCT:
    case ProductCode::TavrinP: {
        // A Tavrin version number starts at the second character of its text.
        const float version = firmware.size() > 1 ? leadingFloat(firmware.substr(1)) : 0.0F;
        const float limit = product == ProductCode::TavrinCT ? kCtAveragingAbove : kPAveragingAbove;
        caps.averaging = version > limit;
        break;
    }
    case ProductCode::Vexa3: {
        const float version = leadingFloat(firmware);
        const bool reduced = firmware.size() > 1 && firmware[1] == kReducedFirmwareMark;
        caps.averaging = version > kVexa3AveragingAbove && !reduced;
        caps.scaledMemory = caps.averaging;
        caps.samplerOff = version > kVexa3SamplerAbove;
        break;
    }
    default:
        break;
    }
    return caps;
}

} // namespace halcyx
