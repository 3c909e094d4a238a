#pragma once

// Talks to a simulated device the way the program's serial layer does: characters written
// one at a time with a pause after each, plain pauses, and reads that take what has arrived.

#include "SimDevice.h"
#include "serial/Clock.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx::sim::test {

class SimLink {
public:
    static constexpr std::uint32_t kCharDelayMs = 20; // at 9600 baud
    static constexpr std::uint32_t kResponseMs = 300; // at 9600 baud

    SimLink(VirtualClock& clock, SimDevice& device) : clock_(clock), device_(device) {
        device_.open("/dev/sim");
        device_.setLine(9600);
    }

    void write(std::string_view text, std::uint32_t charDelayMs = kCharDelayMs) {
        for (const char c : text) {
            const auto byte = static_cast<std::uint8_t>(c);
            device_.write(std::span(&byte, 1));
            clock_.sleepMs(charDelayMs);
        }
    }
    void sleep(std::uint32_t ms) { clock_.sleepMs(ms); }
    std::string read(std::size_t max = 65536) {
        std::vector<std::uint8_t> buf(max);
        const long n = device_.read(buf);
        return n <= 0 ? std::string() : std::string(buf.begin(), buf.begin() + n);
    }
    void purge() { device_.purge(PurgeWhat::Both); }
    // A command and its answer as the program takes them: purge, write the command and a
    // return, wait, and read at most max bytes.
    std::string ask(std::string_view command, std::size_t max = 200,
                    std::uint32_t waitMs = 2 * kResponseMs) {
        purge();
        write(std::string(command) + "\r");
        sleep(waitMs);
        return read(max);
    }

private:
    VirtualClock& clock_;
    SimDevice& device_;
};

} // namespace halcyx::sim::test
