#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx::sim {

// Which way bytes crossed the port: '<' received from the program, '>' sent to it.
enum class Direction : char { FromProgram = '<', ToProgram = '>' };

// A run of bytes that crossed the port in one direction without a long pause.
struct TrafficBurst {
    std::int64_t timeMs = 0; // when its first byte crossed [ms]
    std::int64_t lastMs = 0; // when its last byte crossed [ms]
    Direction direction = Direction::FromProgram;
    std::string bytes;
};

// The bytes exchanged with the program, grouped into bursts: bytes in one direction join the
// current burst of that direction unless more than kBurstGapMs passed since its last byte.
// Bursts are kept in the order of their first byte, so an exchange reads like a conversation.
class TrafficLog {
public:
    static constexpr std::int64_t kBurstGapMs = 100;

    void record(std::int64_t timeMs, Direction direction, std::string_view bytes);
    const std::vector<TrafficBurst>& bursts() const { return bursts_; }
    void clear();

    // One line per burst: "<time> <direction> <escaped bytes>\n".
    std::string text() const;
    // The same, for the bursts of one direction only.
    std::string text(Direction direction) const;
    // Removes and returns, oldest first, the bursts that can no longer grow at time nowMs.
    std::vector<TrafficBurst> takeClosed(std::int64_t nowMs);

    static std::string line(const TrafficBurst& burst);
    // CR, LF, backslash and non-printing bytes as \r, \n, \\ and \xHH.
    static std::string escape(std::string_view bytes);

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::size_t& openBurst(Direction direction);

    std::vector<TrafficBurst> bursts_;
    std::size_t openFromProgram_ = kNone;
    std::size_t openToProgram_ = kNone;
};

} // namespace halcyx::sim
