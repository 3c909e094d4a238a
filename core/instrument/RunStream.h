#pragma once

#include "core/base/ChannelMask.h"
#include "core/serial/Fifo.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

// What the run windows make of the instrument's continuous output: the latest value of
// every channel, as the text the instrument sent.

// A field is shown with at most this many characters.
inline constexpr std::size_t kRunFieldChars = 30;

// Splits a line at its commas; each field is cut to kRunFieldChars.
std::vector<std::string> splitRunFields(std::string_view line);

// The Vexa run window's fields in the order of the instrument's output line.
enum VexaRunField {
    kRunConductivity,
    kRunTemperature,
    kRunPressure,
    kRunTime,
    kRunSalinity,
    kRunSoundVelocity,
    kRunDc1,
    kVexaRunFields = kRunDc1 + kMaxDcChannels,
};

// The mask bit of each Vexa run field.
ChannelMask vexaRunFieldBit(int field);

// The text for every Vexa run field: nullopt for a channel that is off, which keeps what
// it shows; the field's text for a channel that is on, empty when the line ran out of
// fields first.
using VexaRunTexts = std::array<std::optional<std::string>, kVexaRunFields>;

// A line this long is not shown [characters].
inline constexpr std::size_t kVexaRunLineLimit = 200;

// The Vexa run window's reading of one read: the line between the first and the second
// CR LF, its fields given to the channels of the mask in order. Nullopt when the read holds
// no such line or it is too long; what was read is not kept for the next read.
std::optional<VexaRunTexts> vexaRunTexts(std::span<const std::uint8_t> bytes, ChannelMask mask);

// A Tavrin CT record: conductivity, temperature and, when the time channel is on, the
// time and date.
struct CtRunRecord {
    std::string conductivity;
    std::string temperature;
    std::optional<std::string> time;
};

// The Tavrin CT run window's stream. It first synchronises: once enough bytes are queued it
// drops the text up to the first CR and measures the next two lines, and two equal
// non-zero lengths become the record length. From then on it takes records of that many
// characters, CR and LF skipped, and never synchronises again. A record that a read cuts
// in two is completed by the next read.
class CtRunStream {
public:
    // Bytes queued before a synchronising attempt.
    static constexpr int kSyncFill = 120;

    // Queues the bytes of one read; what finds the queue full is dropped.
    void put(std::span<const std::uint8_t> bytes);
    bool synchronising() const { return recordLength_ == 0; }
    int queued() const { return fifo_.count(); }
    // One attempt at the record length; true once it is known. The bytes it looked at
    // are gone whatever it found.
    bool synchronise();
    // The records complete in the queue, in order; with timeOn the third field is the
    // time. Empty while synchronising.
    std::vector<CtRunRecord> records(bool timeOn);
    // [characters]; 0 while synchronising.
    std::size_t recordLength() const { return recordLength_; }

private:
    // The characters up to the next CR, CR and LF left out; nullopt when the queue ran out.
    std::optional<std::size_t> measureLine();

    Fifo fifo_;
    std::size_t recordLength_ = 0;
    std::string partial_; // a record begun in an earlier read
};

} // namespace halcyx
