#include "sim/Ocean.h"

#include "core/seawater/Seawater.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace halcyx::sim {

namespace {

constexpr double kTidePeriodS = 12.42 * 3600.0;
constexpr double kTideAmplitudeDbar = 1.2;
constexpr double kWeatherPeriodS = 86400.0;
constexpr double kSwellPeriodS = 7.0;
constexpr double kSwellAmplitudeDbar = 0.05;

constexpr double kMixedLayerTemp = 18.0;     // [degC]
constexpr double kThermoclineDrop = 10.0;    // [degC] across the thermocline
constexpr double kThermoclineDbar = 60.0;    // [dbar] centre
constexpr double kThermoclineWidth = 20.0;   // [dbar]
constexpr double kDeepCoolingPerDbar = 0.01; // [degC/dbar] below 100 dbar
constexpr double kSurfaceSalinity = 34.2;    // [PSU]
constexpr double kHaloclineRise = 0.8;       // [PSU]

constexpr double kReferenceConductivity = 42.914; // [mS/cm] at S 35, T 15, P 0
constexpr int kConductivityIterations = 8;

double step(double p, double centre, double width) {
    return 0.5 * (1.0 + std::tanh((p - centre) / width));
}

// Conductivity [mS/cm] for the given salinity, found by inverting the salinity function.
double conductivityFor(double s, double t, double p) {
    double c = kReferenceConductivity * s / 35.0 * (1.0 + 0.02 * (t - 15.0));
    for (int i = 0; i < kConductivityIterations; ++i) {
        constexpr double dc = 1e-4;
        const double f = SeawaterSalinity(c, t, p) - s;
        const double slope = (SeawaterSalinity(c + dc, t, p) - SeawaterSalinity(c, t, p)) / dc;
        if (slope <= 0.0) {
            break;
        }
        c -= f / slope;
    }
    return c;
}

std::uint16_t counts(double value) {
    return static_cast<std::uint16_t>(std::clamp(std::lround(value), 0L, 65535L));
}

// The swell lifts and drops an instrument a little whatever else it does.
double swell(double seconds) {
    return kSwellAmplitudeDbar * std::sin(2.0 * std::numbers::pi * seconds / kSwellPeriodS);
}

} // namespace

double Ocean::castPressure(double seconds) {
    const double travel = kCastDepthDbar / kCastRateDbarPerS;
    const double cycle = kSurfaceSoakS + 2.0 * travel;
    const double phase = std::fmod(std::max(seconds, 0.0), cycle);
    if (phase < kSurfaceSoakS) {
        return 0.5 + swell(seconds); // sensors just below the surface
    }
    const double moving = phase - kSurfaceSoakS;
    const double depth = moving < travel ? moving : 2.0 * travel - moving;
    return std::max(0.5, depth * kCastRateDbarPerS) + swell(seconds);
}

double Ocean::mooredPressure(double seconds, double meanDbar) {
    return meanDbar + swell(seconds) +
           kTideAmplitudeDbar * std::sin(2.0 * std::numbers::pi * seconds / kTidePeriodS);
}

double Ocean::barometer(double seconds) {
    return 1013.25 + 6.0 * std::sin(2.0 * std::numbers::pi * seconds / kWeatherPeriodS);
}

Sample Ocean::water(double pressure) {
    Sample s;
    const double p = std::max(pressure, 0.0);
    s.pressure = pressure;
    s.temperature = kMixedLayerTemp -
                    kThermoclineDrop * step(p, kThermoclineDbar, kThermoclineWidth) -
                    kDeepCoolingPerDbar * std::max(0.0, p - 100.0);
    s.salinity = kSurfaceSalinity + kHaloclineRise * step(p, kThermoclineDbar, 25.0);
    s.conductivity = conductivityFor(s.salinity, s.temperature, p);
    s.soundVelocity = SeawaterSoundSpeed(s.salinity, s.temperature, p);
    const double chlorophyll = std::exp(-std::pow((p - 40.0) / 15.0, 2.0));
    s.dc = {counts(800.0 + 1500.0 * chlorophyll),      // fluorometer
            counts(3900.0 - 400.0 * chlorophyll),      // transmissometer
            counts(2500.0 - 8.0 * std::min(p, 150.0)), // oxygen
            counts(1000.0 + 2.0 * p),                  // spare channels: slow ramps
            counts(2000.0),
            counts(3000.0),
            counts(4000.0 - p),
            counts(500.0)};
    return s;
}

} // namespace halcyx::sim
