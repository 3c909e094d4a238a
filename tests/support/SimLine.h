#pragma once

#include "core/serial/Clock.h"
#include "sim/SimDevice.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace halcyx::test {

// The raw line to a simulated device, driven the way the program's serial layer drives it:
// characters one at a time with a pause after each, plain pauses, and reads of what arrived.
class SimLine {
public:
    static constexpr std::uint32_t kCharDelayMs = 20; // between characters at 9600 baud
    static constexpr std::uint32_t kResponseMs = 300; // the answer pause at 9600 baud

    SimLine(Clock& clock, sim::SimDevice& device) : clock_(clock), device_(device) {}

    void write(std::string_view text, std::uint32_t charDelayMs = kCharDelayMs);
    void sleep(std::uint32_t ms) { clock_.sleepMs(ms); }
    std::string read(std::size_t max = 65536);
    void purge() { device_.purge(PurgeWhat::Both); }
    // A command and its answer as the program takes them: purge, write the command and a
    // return, wait [ms], and read at most max bytes.
    std::string ask(std::string_view command, std::size_t max = 200,
                    std::uint32_t waitMs = 2 * kResponseMs);

private:
    Clock& clock_;
    sim::SimDevice& device_;
};

} // namespace halcyx::test
