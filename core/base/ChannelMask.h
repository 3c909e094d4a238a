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

} // namespace halcyx
