#pragma once

#include "core/base/ModelTraits.h"
#include "core/serial/Fifo.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace halcyx {

// Cuts the instrument's scan lines out of the data queue. At the start of a cast it first
// synchronises: once enough bytes are queued it drops everything up to the first carriage
// return (the tail of a line caught half-way), then measures the next two lines; only when
// both have the same non-zero length is that length L taken as the line length. From then
// on a line is cut only while more than L plus a margin of bytes are queued, so a line is
// never taken before the instrument has finished sending it.
//
// It is an explicit state machine whose state survives between ticks: a read that ends
// anywhere (inside the partial first line, inside a measured line, inside a line being
// cut) simply resumes on the next tick with the bytes that arrive then. Carriage returns
// and line feeds are never part of a line.
class LineCutter {
public:
    // The instrument's lines are far shorter; a longer run of bytes is cut at this size.
    static constexpr std::size_t kLineBufferSize = 500;

    using Margins = LineMargins;
    static Margins forLayout(ScanLayout layout);

    // What one call to Next found.
    enum class Step {
        Line,    // a complete line is in line()
        Drained, // no more than L + margin are queued: the tick ends normally
        Stopped, // the tick ends early: not yet synchronised, queue ran dry, short line
    };

    explicit LineCutter(Margins margins) : margins_(margins) {}

    // Forgets the line length and any partial line; the next bytes synchronise afresh.
    void restart();
    Step next(Fifo& queue);

    std::string_view line() const { return {line_.data(), lineChars_}; }
    bool synchronised() const { return state_ == State::Cutting; }
    // The line length L found at synchronisation [characters]; 0 before.
    int lineLength() const { return lineLength_; }

private:
    enum class State {
        AwaitFill,     // waiting, without consuming, for syncFill bytes
        SkipPartial,   // dropping bytes up to and including the first carriage return
        MeasureFirst,  // counting the first whole line
        MeasureSecond, // counting the line after it
        Cutting,       // synchronised: cutting lines
    };

    bool synchronise(Fifo& queue);
    Step cut(Fifo& queue);
    // Appends the bytes but line feeds to the line while it has room; how many were used.
    std::size_t keep(std::span<const std::uint8_t> bytes);

    Margins margins_;
    State state_ = State::AwaitFill;
    int firstLength_ = 0;
    int counted_ = 0;
    int lineLength_ = 0;
    std::array<char, kLineBufferSize> line_{};
    std::size_t lineChars_ = 0;
    bool complete_ = false; // line_ holds a finished line, handed out already
};

} // namespace halcyx
