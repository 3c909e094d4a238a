#pragma once

#include "sim/Sample.h"

namespace halcyx::sim {

// A plausible piece of ocean for the simulated sensors: a warm mixed layer over a
// thermocline and halocline around 60 dbar, cooler and saltier water below, a chlorophyll
// maximum near 40 dbar, and a slow tide and weather for moored instruments.
class Ocean {
public:
    static constexpr double kSurfaceSoakS = 30.0;    // [s] at the surface before each cast
    static constexpr double kCastDepthDbar = 200.0;  // [dbar] turning point of a cast
    static constexpr double kCastRateDbarPerS = 1.0; // [dbar/s] winch speed down and up

    // Pressure [dbar] of a profiling instrument after seconds [s]: a soak at the surface,
    // a descent and an ascent, over and over.
    static double castPressure(double seconds);
    // Pressure [dbar] of an instrument moored at meanDbar [dbar], moved by the tide.
    static double mooredPressure(double seconds, double meanDbar);
    // Air pressure [mbar] over the mooring after seconds [s].
    static double barometer(double seconds);
    // The water's properties at a pressure [dbar], as the sensors of an instrument see them.
    static Sample water(double pressure);
};

} // namespace halcyx::sim
