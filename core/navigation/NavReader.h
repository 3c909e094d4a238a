#pragma once

#include "core/navigation/NavFix.h"
#include "core/navigation/SentenceCutter.h"
#include "core/serial/Fifo.h"

#include <array>
#include <cstdint>
#include <span>

namespace halcyx {

// The navigation line state: the sentences received and not yet used, and the fix they
// update. Bytes go in as they arrive; each tick then uses the waiting sentences in order up
// to and including the first "$GPGLL", so later ones wait for the next tick.
//
// Only whole sentences are queued, each with its carriage return, in a queue of the size
// of the port's byte queue. A sentence that finds it full is dropped whole, so a backlog
// never splices the head of one sentence to the tail of another.
class NavReader {
public:
    // Puts the sentences cut from the bytes into the queue.
    void put(std::span<const std::uint8_t> bytes);
    // Uses the waiting sentences up to the first "$GPGLL"; the "$GPZDA" ones only when
    // useZda. True when a "$GPGLL" was used.
    bool takeFix(NavFix& fix, bool useZda);
    // Forgets what is waiting and any sentence begun.
    void clear();

    int queuedBytes() const { return queue_.count(); }

private:
    // The next queued sentence into line_; false when none is waiting.
    bool takeSentence(std::size_t& chars);

    SentenceCutter cutter_;
    Fifo queue_;
    std::array<char, SentenceCutter::kLineBufferSize> line_{};
};

} // namespace halcyx
