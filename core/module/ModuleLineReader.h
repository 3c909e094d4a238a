#pragma once

#include "core/serial/Fifo.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace halcyx {

// Cuts a module's value lines out of the data queue. After logging starts it waits for
// enough bytes, drops the first two lines (the echo of the start command and its answer)
// and then takes lines only while more than kLineThreshold characters are queued, so a line
// is seldom taken before the module has finished sending it. Carriage returns and line
// feeds are never part of a line; a carriage return after at least one kept character ends
// it.
//
// A line the queue runs dry in the middle of is kept and finished on the next tick, so its
// head and tail never become two wrong records.
class ModuleLineReader {
public:
    // Bytes queued before the first lines are looked at [characters].
    static constexpr int kSyncFill = 40;
    // A line is taken only while more than this many characters are queued.
    static constexpr int kLineThreshold = 12;
    // The record line buffer; characters of a longer line beyond it are dropped.
    static constexpr std::size_t kLineBufferSize = 2560;

    // Logging starts: wait for the first record afresh.
    void restart();
    // Forgets a line begun (the device went away in the middle of it).
    void dropPartialLine() { chars_ = 0; }
    // True when a complete line is in line(); false when the tick should end.
    bool next(Fifo& queue);

    std::string_view line() const { return {line_.data(), chars_}; }

private:
    enum class State {
        AwaitFill, // waiting, without consuming, for kSyncFill bytes
        ThirdLine, // the two lines after the start are gone: reading the next one
        Cutting,   // taking record lines
    };

    // Takes bytes up to a carriage return after a kept character. False when the queue ran
    // dry first; the characters kept so far stay for the next call.
    bool takeLine(Fifo& queue);
    // Drops bytes up to and including the second carriage return; false when there are not two.
    static bool dropTwoLines(Fifo& queue);

    State state_ = State::AwaitFill;
    std::array<char, kLineBufferSize> line_{};
    std::size_t chars_ = 0;
    bool ended_ = false; // a carriage return ended the line taken last
};

} // namespace halcyx
