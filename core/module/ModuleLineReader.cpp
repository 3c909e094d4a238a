#include "core/module/ModuleLineReader.h"

#include <cstdint>

namespace halcyx {

namespace {
constexpr std::uint8_t kLineFeed = '\n';
constexpr int kLinesDropped = 2;
} // namespace

void ModuleLineReader::restart() {
    state_ = State::AwaitFill;
    chars_ = 0;
    ended_ = false;
}

bool ModuleLineReader::dropTwoLines(Fifo& queue) {
    int returns = 0;
    std::uint8_t byte = 0;
    while (returns < kLinesDropped && !queue.isEmpty()) {
        queue.Get(byte);
        if (byte == Fifo::kCarriageReturn)
            ++returns;
    }
    return returns == kLinesDropped;
}

bool ModuleLineReader::takeLine(Fifo& queue) {
    std::uint8_t byte = 0;
    while (!queue.isEmpty()) {
        queue.Get(byte);
        if (byte == Fifo::kCarriageReturn) {
            // The line after the start lines ends at its first return, even when empty.
            if (chars_ > 0 || state_ == State::ThirdLine)
                return ended_ = true;
            continue;
        }
        if (byte != kLineFeed && chars_ < line_.size())
            line_[chars_++] = static_cast<char>(byte);
    }
    return false;
}

bool ModuleLineReader::next(Fifo& queue) {
    if (ended_) {
        chars_ = 0;
        ended_ = false;
    }
    switch (state_) {
    case State::AwaitFill:
        if (queue.count() < kSyncFill || !dropTwoLines(queue))
            return false;
        state_ = State::ThirdLine;
        [[fallthrough]];
    case State::ThirdLine:
        if (!takeLine(queue))
            return false;
        if (chars_ == 0) {
            // Nothing but line ends yet: look again on the next tick.
            state_ = State::AwaitFill;
            return false;
        }
        state_ = State::Cutting;
        return true;
    case State::Cutting:
        return queue.count() > kLineThreshold && takeLine(queue);
    }
    return false;
}

} // namespace halcyx
