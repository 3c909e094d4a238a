#pragma once

#include <cstdint>

namespace halcyx {

// Every pause the program takes goes through a Clock, so that command sequences can run
// at full speed in tests (VirtualClock) and at the instrument's pace in the program.
class Clock {
public:
    virtual ~Clock() = default;

    // Pauses for the given time [ms]. The calling thread does nothing else meanwhile,
    // apart from what the implementation allows (a GUI clock keeps windows painted).
    virtual void sleepMs(std::uint32_t ms) = 0;

    // Monotonic time since an arbitrary start [ms].
    virtual std::int64_t nowMs() const = 0;
};

// The real clock: sleeps the thread.
class SteadyClock : public Clock {
public:
    void sleepMs(std::uint32_t ms) override;
    std::int64_t nowMs() const override;
};

// A clock whose time only moves when someone sleeps or advances it. Simulated devices
// read nowMs() to decide what they would have sent by then.
class VirtualClock : public Clock {
public:
    void sleepMs(std::uint32_t ms) override { now_ += ms; }
    std::int64_t nowMs() const override { return now_; }
    void advanceMs(std::int64_t ms) { now_ += ms; }

private:
    std::int64_t now_ = 0;
};

} // namespace halcyx
