#pragma once

namespace halcyx {

// Derived seawater quantities after the UNESCO 1983 algorithms (Fofonoff and Millard):
// practical salinity (PSS-78), adiabatic lapse rate, potential temperature, EOS-80 density,
// depth (Saunders and Fofonoff) and sound speed (Chen and Millero). All are pure functions in
// double precision that never fail; a value outside the algorithms' ranges yields whatever the
// polynomial gives. Temperatures are used as the instrument reports them, with no scale
// conversion.

// Practical salinity [PSU] from conductivity c [mS/cm], temperature t [degC] and pressure
// p [dbar]. A conductivity ratio c/42.914 of 0.0005 or less (no water in the cell) gives 0.
double SeawaterSalinity(double c, double t, double p);

// Adiabatic temperature gradient [degC/dbar] from salinity s [PSU], temperature t [degC] and
// pressure p [dbar].
double SeawaterAtg(double s, double t, double p);

// Potential temperature [degC] referred to the sea surface (0 dbar) from salinity s [PSU],
// in-situ temperature t [degC] and pressure p [dbar].
double SeawaterTheta(double s, double t, double p);

// Density anomaly, density minus 1000 [kg/m3], from salinity s [PSU], temperature t [degC]
// and pressure p [dbar]. A negative salinity is taken as 0.
double SeawaterSigma(double s, double t, double p);

// Depth [m] from pressure p [dbar] at latitude [deg].
double SeawaterDepth(double p, double latitude);

// Speed of sound [m/s] from salinity s [PSU], temperature t [degC] and pressure p [dbar].
// A negative salinity is taken as 0.
double SeawaterSoundSpeed(double s, double t, double p);

// Engineering value of an auxiliary DC channel [channel's unit]: a + b*x + c*x^2 + d*x^3 +
// e*x^4 of the raw reading x [as sent by the instrument]. The identity coefficients
// (0, 1, 0, 0, 0) pass x through unchanged.
double DcChannelValue(double x, float a, float b, float c, float d, float e);

} // namespace halcyx
