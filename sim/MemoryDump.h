#pragma once

#include "sim/Sample.h"

#include <array>
#include <cstdint>
#include <string>

namespace halcyx::sim {

// The binary scan records the instruments keep in their logging memory and send with
// "BDMP". All 16-bit words go most significant byte first.
namespace memory_dump {

// Scaled 16-bit counts of a Vexa with scaled memory (and of its scaled live output).
std::uint16_t scaledConductivity(double conductivity);      // 0.001 x N - 2.0 [mS/cm]
std::uint16_t scaledTemperature(double temperature);        // 0.0005 x N - 2.0 [degC]
std::uint16_t scaledPressure(double pressure, int divisor); // N / divisor - 5.0 [dbar]
std::uint16_t scaledSalinity(double salinity);              // 0.001 x N - 2.0 [PSU]
std::uint16_t scaledSoundVelocity(double soundVelocity);    // N / 600 + 1450.0 [m/s]

// Counts per dbar of the scaled pressure for a transducer range [dbar].
int pressureDivisor(int transducerRange);

// Which fields a Vexa record carries: CH1..CH6 and DC1..DC8.
struct VexaChannels {
    std::array<bool, 6> channels{};
    std::array<bool, 8> dc{};
};

// A Vexa with scaled memory: 2-byte counts, time as 4 bytes of seconds since 1970.
std::string vexaScaledRecord(const Sample& s, const VexaChannels& on, int divisor);
// Other Vexas: 4-byte floats (least significant byte first), time as 7 bytes.
std::string vexaFloatRecord(const Sample& s, const VexaChannels& on);
// Tavrin CT: conductivity and temperature counts, then optionally the time and date words.
std::string tavrinCtRecord(const Sample& s, bool withTime);
// Tavrin P: pressure counts, optionally the time and date words and the barometer counts.
std::string tavrinPRecord(const Sample& s, bool withTime, bool withBarometer);

// The Tavrin time word T and date word D for a time [s since 1970-01-01 00:00:00].
struct TavrinClockWords {
    std::uint16_t time;
    std::uint16_t date;
};
TavrinClockWords tavrinClockWords(std::int64_t epochSeconds);

} // namespace memory_dump
} // namespace halcyx::sim
