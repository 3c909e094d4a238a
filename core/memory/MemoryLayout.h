#pragma once

#include "core/base/ChannelMask.h"
#include "core/base/Product.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace halcyx {

// How an instrument packs one logged scan in its memory. All 16-bit words are unsigned and
// go most significant byte first.
enum class MemoryFormat {
    VexaScaled, // a Vexa 3 with the download capability: 16-bit counts, time as 4 bytes
    VexaFloat,  // other Vexas: 4-byte floats, time as 7 bytes
    TavrinCT,   // conductivity and temperature counts, with time when a scan has 8 bytes
    TavrinP,    // pressure counts, time and date words, barometer counts
};

// The memory format of a model; nullopt for one without logging memory.
std::optional<MemoryFormat> memoryFormatFor(ProductCode product, bool downloadCapability);

bool isTavrin(MemoryFormat format);

// What the decoder needs to know of the scans in a dump. The channel mask keeps the
// instrument's bits: CH1..CH6 and DC1..DC8 for the Vexas; for the Tavrin P bit 0 pressure,
// bit 1 time, bit 2 barometer. The Tavrin CT's layout follows from the bytes per scan alone.
struct MemoryLayout {
    MemoryFormat format = MemoryFormat::VexaScaled;
    ChannelMask channelMask = 0;
    int bytesPerScan = 0;    // [bytes], as the instrument reports it
    int pressureDivisor = 0; // VexaScaled with pressure on [counts/dbar]
};

// The bytes the fields of one scan take [bytes].
int fieldBytes(const MemoryLayout& layout);

// Why the scans cannot be decoded (bytes per scan that do not hold the fields, a scaled
// pressure without a positive divisor), or nullopt when they can.
std::optional<std::string> layoutProblem(const MemoryLayout& layout);

// Scans a dump holds logged, and of those the ones decoded into the data file: a Tavrin's
// last scan is never whole, so the display and the file show one less.
long scansToDecode(MemoryFormat format, long loggedScans);

// Counts per dbar of the scaled pressure for a transducer range [dbar].
int pressureDivisor(double transducerRange);
// The divisor from the answer to "A1003": the decimal range after its "=". nullopt when
// the answer holds no "=".
std::optional<int> pressureDivisorFromAnswer(std::string_view answer);

} // namespace halcyx
