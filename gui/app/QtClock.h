#pragma once

#include "core/serial/Clock.h"

namespace halcyx {

// The program's clock. While core code sleeps between characters or waits for an answer,
// windows keep painting: the sleep delivers non-input events in small slices until its
// deadline. The operator's clicks and keys wait for the sequence to end, and window timers
// see a running sequence (SequenceGuard) and skip their tick.
class QtClock : public SteadyClock {
public:
    void sleepMs(std::uint32_t ms) override;

    // The longest stretch the thread sleeps without looking at its events [ms].
    static constexpr std::int64_t kSliceMs = 10;
};

} // namespace halcyx
