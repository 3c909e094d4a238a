#include "core/instrument/Identification.h"

#include "core/base/ModelTraits.h"
#include "core/instrument/Answer.h"

namespace halcyx {

namespace {

// Serial-number ranges of the older generation of Vexa.
constexpr int kFirstVexa3Number = 1500;
constexpr int kVexa2RangeFirst = 2300;
constexpr int kVexa2RangeLast = 2499;

// The Vexa 3 firmware version beyond which the sampler can be switched off. Compared in
// single precision, so a text such as "2.00" equals its limit and does not pass it.
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
    const ModelTraits& traits = modelTraits(product);
    if (!traits.averagingAbove)
        return caps;
    const auto offset = static_cast<std::size_t>(traits.versionOffset);
    const float version = firmware.size() > offset ? leadingFloat(firmware.substr(offset)) : 0.0F;
    caps.averaging = version > *traits.averagingAbove;
    if (product == ProductCode::Vexa3) {
        const bool reduced = firmware.size() > 1 && firmware[1] == kReducedFirmwareMark;
        caps.averaging = caps.averaging && !reduced;
        caps.scaledMemory = caps.averaging;
        caps.samplerOff = version > kVexa3SamplerAbove;
    }
    return caps;
}

} // namespace halcyx
