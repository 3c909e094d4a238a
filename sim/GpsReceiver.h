#pragma once

#include "sim/LinePeer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace halcyx::sim {

// A GPS receiver on a moving vessel: once a second it sends "$GPGLL" (position, time,
// status) and "$GPZDA" (time and date), optionally with a "$GPGGA" fix in between, each
// with its checksum and CR LF. It ignores what it receives.
class GpsReceiver : public LinePeer {
public:
    struct Config {
        double latitude = 44.5;               // start [deg], north positive
        double longitude = -63.5;             // start [deg], east positive
        double speedKnots = 6.0;              // [kn]
        double courseDegrees = 60.0;          // [deg] true
        std::uint32_t baud = 9600;            // [bit/s]
        std::int64_t clockEpoch = 1796558400; // UTC at simulation start [s since 1970]
        bool otherSentences = true;           // also send "$GPGGA"
        SimTime quietAfter = kNever;          // fault: stops sending from this time on [ns]
    };

    explicit GpsReceiver(Config config) : config_(config) {}

    void start(SimTime t) override;
    void receive(std::uint8_t byte, SimTime t) override { (void)byte, (void)t; }
    std::uint32_t baud() const override { return config_.baud; }
    Config& config() { return config_; }

    // "$" body "*" checksum CR LF; the checksum is the XOR of the body's bytes.
    static std::string sentence(std::string_view body);
    // Position [deg] at time t [ns].
    double latitudeAt(SimTime t) const;
    double longitudeAt(SimTime t) const;
    // The sentences sent at time t [ns].
    std::string sentencesAt(SimTime t) const;

private:
    void tick(SimTime t);

    Config config_;
};

} // namespace halcyx::sim
