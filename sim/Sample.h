#pragma once

#include <array>
#include <cstdint>

namespace halcyx::sim {

// What an instrument's sensors read at one moment.
struct Sample {
    double conductivity = 0.0;         // [mS/cm]
    double temperature = 0.0;          // [degC]
    double pressure = 0.0;             // [dbar]
    double salinity = 0.0;             // instrument's own [PSU]
    double soundVelocity = 0.0;        // instrument's own [m/s]
    double barometer = 0.0;            // [mbar]
    std::array<std::uint16_t, 8> dc{}; // auxiliary channels DC1..DC8 [raw counts]
    std::int64_t clockS = 0;           // instrument clock [s since 1970-01-01 00:00:00]
};

} // namespace halcyx::sim
