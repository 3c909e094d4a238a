#pragma once

// Talks to a simulated device the way the program's serial layer does: characters written
// one at a time with a pause after each, plain pauses, and reads that take what has arrived.

#include "core/serial/Clock.h"
#include "sim/SimDevice.h"
#include "sim/VexaModel.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
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

// A simulated peer on its port, with the program's link to it.
template <class Peer> struct Rig {
    template <class... Args> explicit Rig(Args&&... args) : peer(std::forward<Args>(args)...) {}
    VirtualClock clock;
    Peer peer;
    SimDevice device{clock, peer};
    SimLink link{clock, device};
};

// A Vexa 3 as it leaves the factory, changed as a test needs it, on its port.
struct Vexa3 : Rig<VexaModel> {
    using Adjust = std::function<void(Instrument::Config&)>;
    explicit Vexa3(const Adjust& adjust = {}) : Rig(ProductCode::Vexa3, configured(adjust)) {}
    static Instrument::Config configured(const Adjust& adjust) {
        Instrument::Config config = VexaModel::factoryConfig(ProductCode::Vexa3);
        if (adjust) {
            adjust(config);
        }
        return config;
    }
};

// The lines of a text, each without its CR LF; an unfinished last line is left out.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

} // namespace halcyx::sim::test
