#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace halcyx {

// Cuts NMEA sentences out of the bytes of the navigation port, whatever the reads look
// like. A sentence starts at '$' and ends at a carriage return; anything before the '$'
// (the line feed of the previous line end, noise, the tail of a sentence caught half-way)
// is skipped. Its state survives between reads, so a sentence split across ticks at any
// byte comes out whole.
//
// A receiver that drops bytes leaves a sentence without its end: a '$' before the carriage
// return starts the next sentence, and a sentence longer than the line buffer is cut there.
// Such a cut sentence is handed on without its last field, which may be incomplete (unless
// the cut fell into the checksum, after every field), so that "4808.9993" cut to "48" is
// never taken for a latitude. Its earlier fields are still used.
class SentenceCutter {
public:
    // The line buffer holds a sentence with its carriage return [characters].
    static constexpr std::size_t kLineBufferSize = 100;
    static constexpr std::size_t kMaxSentenceChars = kLineBufferSize - 1;
    static constexpr char kStart = '$';
    static constexpr char kEnd = '\r';
    static constexpr char kChecksum = '*';

    // Gets each sentence, without its carriage return; it is valid during the call only.
    using Sink = std::function<void(std::string_view sentence)>;

    void feed(std::span<const std::uint8_t> bytes, const Sink& sink);
    // Forgets a sentence begun; the next '$' starts afresh.
    void restart() { collecting_ = false; }

private:
    void finish(bool complete, const Sink& sink);

    std::array<char, kMaxSentenceChars> text_{};
    std::size_t chars_ = 0;
    bool collecting_ = false;
};

} // namespace halcyx
