#include "core/memory/MemoryLayout.h"

#include <algorithm>
#include <cstdlib>

namespace halcyx {
namespace {

constexpr int kWordBytes = 2;
constexpr int kFloatBytes = 4;
constexpr int kScaledTimeBytes = 4;
constexpr int kFloatTimeBytes = 7;
constexpr int kTavrinClockBytes = 4; // time word and date word
constexpr int kTavrinCtTimedScan = 8;
constexpr ChannelMask kTavrinPPressure = primaryChannelBit(1);

// Transducer ranges [dbar] below which a divisor applies, and the divisor for the rest.
struct RangeDivisor {
    double below;
    int divisor;
};
constexpr RangeDivisor kRangeDivisors[] = {{400, 300}, {1500, 60}, {2500, 30}, {3500, 20}};
constexpr int kLargeRangeDivisor = 10;

int vexaFieldBytes(MemoryFormat format, ChannelMask channelMask) {
    const bool scaled = format == MemoryFormat::VexaScaled;
    const int valueBytes = scaled ? kWordBytes : kFloatBytes;
    int bytes = 0;
    for (int n = 1; n <= kMaxPrimaryChannels; ++n) {
        if (!mask::has(channelMask, primaryChannelBit(n)))
            continue;
        if (primaryChannelBit(n) == mask::kTime)
            bytes += scaled ? kScaledTimeBytes : kFloatTimeBytes;
        else
            bytes += valueBytes;
    }
    for (int n = 1; n <= kMaxDcChannels; ++n)
        if (mask::has(channelMask, dcChannelBit(n)))
            bytes += kWordBytes;
    return bytes;
}

} // namespace

std::optional<MemoryFormat> memoryFormatFor(ProductCode product, bool downloadCapability) {
    switch (product) {
    case ProductCode::Vexa2:
    case ProductCode::Vexa3:
        return downloadCapability ? MemoryFormat::VexaScaled : MemoryFormat::VexaFloat;
    case ProductCode::TavrinCT:
        return MemoryFormat::TavrinCT;
    case ProductCode::TavrinP:
        return MemoryFormat::TavrinP;
    default:
        return std::nullopt;
    }
}

bool isTavrin(MemoryFormat format) {
    return format == MemoryFormat::TavrinCT || format == MemoryFormat::TavrinP;
}

int fieldBytes(const MemoryLayout& layout) {
    switch (layout.format) {
    case MemoryFormat::VexaScaled:
    case MemoryFormat::VexaFloat:
        return vexaFieldBytes(layout.format, layout.channelMask);
    case MemoryFormat::TavrinCT:
        return layout.bytesPerScan == kTavrinCtTimedScan ? kTavrinCtTimedScan : 2 * kWordBytes;
    case MemoryFormat::TavrinP:
        return (mask::has(layout.channelMask, kTavrinPPressure) ? kWordBytes : 0) +
               (mask::has(layout.channelMask, mask::kTavrinPTime) ? kTavrinClockBytes : 0) +
               (mask::has(layout.channelMask, mask::kTavrinPBarometer) ? kWordBytes : 0);
    }
    return 0;
}

std::optional<std::string> layoutProblem(const MemoryLayout& layout) {
    if (layout.bytesPerScan <= 0)
        return "the bytes per scan must be positive";
    const int needed = fieldBytes(layout);
    if (layout.bytesPerScan < needed)
        return "the channels need " + std::to_string(needed) + " bytes per scan, not " +
               std::to_string(layout.bytesPerScan);
    if (layout.format == MemoryFormat::VexaScaled &&
        mask::has(layout.channelMask, mask::kPressure) && layout.pressureDivisor <= 0)
        return "the pressure divisor must be positive";
    return std::nullopt;
}

long scansToDecode(MemoryFormat format, long loggedScans) {
    return std::max(0L, isTavrin(format) ? loggedScans - 1 : loggedScans);
}

int pressureDivisor(double transducerRange) {
    for (const RangeDivisor& step : kRangeDivisors)
        if (transducerRange < step.below)
            return step.divisor;
    return kLargeRangeDivisor;
}

std::optional<int> pressureDivisorFromAnswer(std::string_view answer) {
    const std::size_t equals = answer.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    // A decimal number as the C library reads one, after any blanks; a text without one
    // reads as 0.
    const std::string rest(answer.substr(equals + 1));
    return pressureDivisor(std::strtod(rest.c_str(), nullptr));
}

} // namespace halcyx
