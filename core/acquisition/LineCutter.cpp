#include "core/acquisition/LineCutter.h"

#include <cstdint>

namespace halcyx {
namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

// Takes one byte. The queue's own Get reports false for the byte that empties it although
// it delivers that byte, so emptiness is asked first.
bool Take(Fifo& queue, char& c) {
    if (queue.isEmpty())
        return false;
    std::uint8_t byte = 0;
    queue.Get(byte);
    c = static_cast<char>(byte);
    return true;
}

} // namespace

LineCutter::Margins LineCutter::forLayout(ScanLayout layout) {
    return modelTraits(layout).cutter;
}

void LineCutter::restart() {
    state_ = State::AwaitFill;
    firstLength_ = counted_ = lineLength_ = 0;
    lineChars_ = 0;
    complete_ = false;
}

LineCutter::Step LineCutter::next(Fifo& queue) {
    if (state_ != State::Cutting && !synchronise(queue))
        return Step::Stopped;
    return cut(queue);
}

// True once synchronised (cutting may go on in this tick); false ends the tick.
bool LineCutter::synchronise(Fifo& queue) {
    if (state_ == State::AwaitFill) {
        if (queue.count() < margins_.syncFill)
            return false;
        state_ = State::SkipPartial;
    }
    char c = 0;
    while (state_ != State::Cutting) {
        if (!Take(queue, c))
            return false; // resumes here when more bytes arrive
        if (state_ == State::SkipPartial) {
            if (c == kCarriageReturn)
                state_ = State::MeasureFirst;
            continue;
        }
        if (c == kLineFeed)
            continue;
        if (c != kCarriageReturn) {
            ++counted_;
            continue;
        }
        if (state_ == State::MeasureFirst) {
            firstLength_ = counted_;
            counted_ = 0;
            state_ = State::MeasureSecond;
            continue;
        }
        const bool agreed = counted_ == firstLength_ && counted_ > 0;
        if (!agreed) {
            // The bytes measured are gone; start over once the queue has filled again.
            restart();
            return false;
        }
        lineLength_ = counted_;
        state_ = State::Cutting;
    }
    return true;
}

LineCutter::Step LineCutter::cut(Fifo& queue) {
    if (queue.count() <= lineLength_ + margins_.cutMargin)
        return Step::Drained;
    char c = 0;
    // A previous call may have ended with a complete line still held; start a new one.
    if (complete_) {
        lineChars_ = 0;
        complete_ = false;
    }
    while (lineChars_ < kLineBufferSize) {
        if (!Take(queue, c))
            return Step::Stopped; // the partial line is kept and continued next tick
        if (c == kCarriageReturn && lineChars_ > 0)
            break;
        if (c != kCarriageReturn && c != kLineFeed)
            line_[lineChars_++] = c;
    }
    complete_ = true;
    if (static_cast<int>(lineChars_) < margins_.minLength)
        return Step::Stopped;
    return Step::Line;
}

} // namespace halcyx
