#pragma once

#include <cstdint>

namespace halcyx {

// The set of output channels that are on, which tells the scan parser the fields of every
// scan line: primary channels CH1..CH6 in bits 0..5, DC1..DC8 in bits 8..15. Zero means
// the settings were never read from the instrument.
using ChannelMask = std::uint32_t;

inline constexpr int kMaxPrimaryChannels = 6;
inline constexpr int kMaxDcChannels = 8;
inline constexpr int kFirstDcBit = 8;

// The bit of primary channel n (1..6).
constexpr ChannelMask primaryChannelBit(int n) {
    return ChannelMask{1} << (n - 1);
}
// The bit of DC channel n (1..8).
constexpr ChannelMask dcChannelBit(int n) {
    return ChannelMask{1} << (kFirstDcBit + n - 1);
}

// Named bits. The Vexa models use them as named; the Tavrin CT takes bit 2 as its time
// field, the Tavrin P bit 1 as time and bit 2 as barometer.
namespace mask {
inline constexpr ChannelMask kConductivity = primaryChannelBit(1);
inline constexpr ChannelMask kTemperature = primaryChannelBit(2);
inline constexpr ChannelMask kPressure = primaryChannelBit(3);
inline constexpr ChannelMask kTime = primaryChannelBit(4);
inline constexpr ChannelMask kSalinity = primaryChannelBit(5);
inline constexpr ChannelMask kSoundVelocity = primaryChannelBit(6);
inline constexpr ChannelMask kTavrinCtTime = primaryChannelBit(3);
inline constexpr ChannelMask kTavrinPTime = primaryChannelBit(2);
inline constexpr ChannelMask kTavrinPBarometer = primaryChannelBit(3);
// The bits that count as output channels: CH1 to CH6 and DC1 to DC8.
inline constexpr ChannelMask kChannelBits = 0xFFFFu;

constexpr bool has(ChannelMask channelMask, ChannelMask bit) {
    return (channelMask & bit) != 0;
}
} // namespace mask

} // namespace halcyx
