#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>

namespace halcyx::sim {

// Simulated time [ns] since the simulation started.
using SimTime = std::int64_t;

constexpr SimTime kNanosPerMs = 1'000'000;
constexpr SimTime kNanosPerSecond = 1'000'000'000;
constexpr SimTime kNever = std::numeric_limits<SimTime>::max();
// Start bit, eight data bits and one stop bit.
constexpr std::uint32_t kBitsPerByte = 10;

// One direction of an RS-232 line. Bytes handed to it leave one after another, each taking
// ten bit times at the line's baud rate, and count as arrived at the far end when their stop
// bit ends. The sender's transmit buffer is bounded: what does not fit is lost.
class SerialLine {
public:
    using Sink = std::function<void(SimTime arrival, std::uint8_t byte)>;

    SerialLine(std::uint32_t baud, std::size_t capacity);

    // Bytes sent from now on travel at this rate [bit/s].
    void setBaud(std::uint32_t baud);
    std::uint32_t baud() const { return baud_; }
    // Transmission time of one byte [ns].
    SimTime byteTime() const { return byteTime_; }

    // Queues bytes for sending from time t [ns]; returns how many fitted.
    std::size_t send(SimTime t, std::span<const std::uint8_t> bytes);
    std::size_t send(SimTime t, std::string_view text);
    // Bytes sent but not yet arrived at time t [ns].
    std::size_t backlog(SimTime t) const;
    // Arrival time of the next byte not yet delivered [ns]; kNever when the line is idle.
    SimTime nextArrival() const;
    // Hands every byte that has arrived by time t [ns] to sink, in order.
    void deliver(SimTime t, const Sink& sink);
    // Forgets the bytes that have not arrived by time t [ns] (a transmit purge).
    void discardPending(SimTime t);

private:
    // A run of back-to-back bytes: byte i arrives at start + (i + 1) * byteTime.
    struct Run {
        SimTime start;
        SimTime byteTime;
        std::string bytes;
        std::size_t next = 0; // first byte not yet delivered

        SimTime arrival(std::size_t i) const {
            return start + static_cast<SimTime>(i + 1) * byteTime;
        }
        SimTime end() const { return arrival(bytes.size() - 1); }
    };

    std::uint32_t baud_;
    SimTime byteTime_;
    std::size_t capacity_;
    std::deque<Run> runs_;
};

} // namespace halcyx::sim
