#pragma once

#include "core/base/Product.h"

#include <cstdint>
#include <optional>

namespace halcyx {

// Which of the three scan line layouts an instrument sends.
enum class ScanLayout {
    Vexa,     // Vexa 2 and Vexa 3: the fields the channel mask selects, in bit order
    TavrinCT, // conductivity, temperature, optionally time
    TavrinP,  // pressure, optionally time, optionally barometer
};

// The layout of a product code; nullopt for a code that sends no scans we know.
constexpr std::optional<ScanLayout> ScanLayoutForProduct(int product) {
    switch (product) {
    case ProductCode::Vexa2:
    case ProductCode::Vexa3:
        return ScanLayout::Vexa;
    case ProductCode::TavrinCT:
        return ScanLayout::TavrinCT;
    case ProductCode::TavrinP:
        return ScanLayout::TavrinP;
    default:
        return std::nullopt;
    }
}

// The period of the acquisition window's data tick [ms]: the Tavrin models send slowly.
constexpr int modelTraits(ScanLayout layout).dataTickMs {
    return layout == ScanLayout::Vexa ? 250 : 1500;
}

// Bits of the channel mask. The Vexa models use them as named; the Tavrin CT takes bit 2
// as its time field, the Tavrin P bit 1 as time and bit 2 as barometer.
namespace mask {
inline constexpr std::uint32_t kConductivity = 1u << 0;
inline constexpr std::uint32_t kTemperature = 1u << 1;
inline constexpr std::uint32_t kPressure = 1u << 2;
inline constexpr std::uint32_t kTime = 1u << 3;
inline constexpr std::uint32_t kSalinity = 1u << 4;
inline constexpr std::uint32_t kSoundVelocity = 1u << 5;
inline constexpr int kFirstDcBit = 8;
inline constexpr std::uint32_t kTavrinCtTime = 1u << 2;
inline constexpr std::uint32_t kTavrinPTime = 1u << 1;
inline constexpr std::uint32_t kTavrinPBarometer = 1u << 2;
// The bits that count as output channels: CH1 to CH6 and DC1 to DC8.
inline constexpr std::uint32_t kChannelBits = 0xFFFFu;

// channel is 0-based (0 = DC1).
constexpr std::uint32_t DcBit(int channel) {
    return 1u << (kFirstDcBit + channel);
}
constexpr bool Has(std::uint32_t channelMask, std::uint32_t bit) {
    return (channelMask & bit) != 0;
}
} // namespace mask

} // namespace halcyx
