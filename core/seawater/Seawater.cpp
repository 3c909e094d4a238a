// The UNESCO 1983 seawater algorithms. Each polynomial keeps the published coefficients and
// is evaluated by Horner's rule in the published order, so that results agree with the
// published check values to their last decimal.
#include "core/seawater/Seawater.h"

#include <cmath>

namespace halcyx {

namespace {

// Conductivity of standard seawater, S = 35, T = 15 degC, P = 0 [mS/cm].
constexpr double kConductivity35 = 42.914;
// Conductivity ratios up to this one mean an empty (dry) cell: salinity 0.
constexpr double kDryCellRatio = 0.0005;
// Temperature of the PSS-78 reference [degC] and the constant k of its temperature term.
constexpr double kSalinityReferenceT = 15.0;
constexpr double kSalinityK = 0.0162;
// The adiabatic gradient is expanded about this salinity [PSU].
constexpr double kStandardSalinity = 35.0;
// Potential temperature is referred to the sea surface [dbar].
constexpr double kSurfacePressure = 0.0;
// EOS-80 and the sound speed formula take pressure in bars.
constexpr double kBarsPerDecibar = 0.1;
// Degrees per radian as the depth formula writes it.
constexpr double kDegreesPerRadian = 57.29578;
// Density anomaly is density less this [kg/m3].
constexpr double kDensityOffset = 1000.0;

// PSS-78 salinity from the square root of Rt and dt = t - 15.
double Pss78(double rootRt, double dt) {
    const double x = rootRt;
    const double s =
        ((((2.7081 * x - 7.0261) * x + 14.0941) * x + 25.3851) * x - 0.1692) * x + 0.0080;
    const double ds =
        (dt / (1.0 + kSalinityK * dt)) *
        (((((-0.0144 * x + 0.0636) * x - 0.0375) * x - 0.0066) * x - 0.0056) * x + 0.0005);
    return s + ds;
}

// rT: conductivity ratio of standard seawater at t to that at 15 degC.
double Rt35(double t) {
    return (((1.0031e-9 * t - 6.9698e-7) * t + 1.104259e-4) * t + 2.00564e-2) * t + 0.6766097;
}

// The pressure correction Rp = 1 + C(p) / (B(t) + A(t) * r).
double PressureCorrection(double r, double t, double p) {
    const double cp = ((3.989e-15 * p - 6.370e-10) * p + 2.070e-5) * p;
    const double bt = (4.464e-4 * t + 3.426e-2) * t + 1.0;
    const double at = -3.107e-3 * t + 0.4215;
    return 1.0 + cp / (bt + at * r);
}

double NonNegative(double s) {
    return s < 0.0 ? 0.0 : s;
}

} // namespace

double SeawaterSalinity(double c, double t, double p) {
    const double r = c / kConductivity35;
    // Written as "not greater" so that an unreadable (NaN) conductivity also reads as dry.
    if (!(r > kDryCellRatio))
        return 0.0;
    const double rt = r / (PressureCorrection(r, t, p) * Rt35(t));
    return Pss78(std::sqrt(std::fabs(rt)), t - kSalinityReferenceT);
}

double SeawaterAtg(double s, double t, double p) {
    const double ds = s - kStandardSalinity;
    const double pressureTerm =
        (((-2.1687e-16 * t + 1.8676e-14) * t - 4.6206e-13) * p +
         ((2.7759e-12 * t - 1.1351e-10) * ds +
          ((-5.4481e-14 * t + 8.733e-12) * t - 6.7795e-10) * t + 1.8741e-8)) *
        p;
    return pressureTerm + (-4.2393e-8 * t + 1.8932e-6) * ds +
           ((6.6228e-10 * t - 6.836e-8) * t + 8.5258e-6) * t + 3.5803e-5;
}

double SeawaterTheta(double s, double t, double p) {
    // One Runge-Kutta step with Gill's coefficients from p up to the surface.
    const double h = kSurfacePressure - p;
    double xk = h * SeawaterAtg(s, t, p);
    t += 0.5 * xk;
    double q = xk;
    p += 0.5 * h;
    xk = h * SeawaterAtg(s, t, p);
    t += 0.29289322 * (xk - q);
    q = 0.58578644 * xk + 0.121320344 * q;
    xk = h * SeawaterAtg(s, t, p);
    t += 1.707106781 * (xk - q);
    q = 3.414213562 * xk - 4.121320344 * q;
    p += 0.5 * h;
    xk = h * SeawaterAtg(s, t, p);
    return t + (xk - 2.0 * q) / 6.0;
}

double SeawaterSigma(double s, double t, double p) {
    s = NonNegative(s);
    const double s15 = std::pow(s, 1.5);
    const double pb = kBarsPerDecibar * p;

    // Density at one atmosphere [kg/m3]: pure water, then the salt terms.
    const double rhoW =
        ((((6.536332e-9 * t - 1.120083e-6) * t + 1.001685e-4) * t - 9.095290e-3) * t +
         6.793952e-2) *
            t +
        999.842594;
    const double rho0 =
        rhoW +
        ((((5.3875e-9 * t - 8.2467e-7) * t + 7.6438e-5) * t - 4.0899e-3) * t + 0.824493) * s +
        ((-1.6546e-6 * t + 1.0227e-4) * t - 5.72466e-3) * s15 + 4.8314e-4 * s * s;

    // Secant bulk modulus [bar] at one atmosphere and its pressure terms A and B.
    const double kW =
        (((-5.155288e-5 * t + 1.360477e-2) * t - 2.327105) * t + 148.4206) * t + 19652.21;
    const double k0 = kW + (((-6.1670e-5 * t + 1.09987e-2) * t - 0.603459) * t + 54.6746) * s +
                      ((-5.3009e-4 * t + 1.6483e-2) * t + 7.944e-2) * s15;
    const double aW = ((-5.77905e-7 * t + 1.16092e-4) * t + 1.43713e-3) * t + 3.239908;
    const double a = aW + ((-1.6078e-6 * t - 1.0981e-5) * t + 2.2838e-3) * s + 1.91075e-4 * s15;
    const double bW = (5.2787e-8 * t - 6.12293e-6) * t + 8.50935e-5;
    const double b = bW + ((9.1697e-10 * t + 2.0816e-8) * t - 9.9348e-7) * s;
    const double k = (b * pb + a) * pb + k0;

    return rho0 / (1.0 - pb / k) - kDensityOffset;
}

double SeawaterDepth(double p, double latitude) {
    const double sinLat = std::sin(latitude / kDegreesPerRadian);
    const double x = sinLat * sinLat;
    const double gravity = 9.780318 * (1.0 + (5.2788e-3 + 2.36e-5 * x) * x) + 1.092e-6 * p;
    return (((-1.82e-15 * p + 2.279e-10) * p - 2.2512e-5) * p + 9.72659) * p / gravity;
}

double SeawaterSoundSpeed(double s, double t, double p) {
    s = NonNegative(s);
    const double pb = kBarsPerDecibar * p;

    // Pure water.
    const double c3 = (-2.3643e-12 * t + 3.8504e-10) * t - 9.7729e-9;
    const double c2 =
        (((1.0405e-12 * t - 2.5335e-10) * t + 2.5974e-8) * t - 1.7107e-6) * t + 3.1260e-5;
    const double c1 =
        (((-6.1185e-10 * t + 1.3621e-7) * t - 8.1788e-6) * t + 6.8982e-4) * t + 0.153563;
    const double c0 =
        ((((3.1464e-9 * t - 1.47800e-6) * t + 3.3420e-4) * t - 5.80852e-2) * t + 5.03711) * t +
        1402.388;
    const double cW = ((c3 * pb + c2) * pb + c1) * pb + c0;

    // Salinity terms in S, S^1.5 and S^2.
    const double a3 = (-3.389e-13 * t + 6.649e-12) * t + 1.100e-10;
    const double a2 = ((7.988e-12 * t - 1.6002e-10) * t + 9.1041e-9) * t - 3.9064e-7;
    const double a1 =
        (((-2.0122e-10 * t + 1.0507e-8) * t - 6.4885e-8) * t - 1.2580e-5) * t + 9.4742e-5;
    const double a0 = (((-3.21e-8 * t + 2.006e-6) * t + 7.164e-5) * t - 1.262e-2) * t + 1.389;
    const double a = ((a3 * pb + a2) * pb + a1) * pb + a0;
    const double b = (-1.922e-2 - 4.42e-5 * t) + (7.3637e-5 + 1.7945e-7 * t) * pb;
    const double d = 1.727e-3 - 7.9836e-6 * pb;

    return cW + a * s + b * std::pow(s, 1.5) + d * s * s;
}

double DcChannelValue(double x, float a, float b, float c, float d, float e) {
    return (((double{e} * x + d) * x + c) * x + b) * x + a;
}

} // namespace halcyx
