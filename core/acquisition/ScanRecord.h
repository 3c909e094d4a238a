#pragma once

#include <array>
#include <cstddef>

namespace halcyx {

// One parsed scan: 20 single-precision values whose meaning depends on the layout. Values
// a line does not carry keep what the previous scan left there.
struct ScanRecord {
    static constexpr std::size_t kValues = 20;
    // How many leading values a Tavrin scan fills (the Vexa models fill all).
    static constexpr std::size_t kTavrinValues = 9;

    std::array<float, kValues> values{};

    float& operator[](std::size_t index) { return values[index]; }
    float operator[](std::size_t index) const { return values[index]; }
};

// Positions in the record, by layout.
namespace scan {
inline constexpr std::size_t kScanNumber = 0;

namespace vexa {
inline constexpr std::size_t kConductivity = 1;  // [mS/cm]
inline constexpr std::size_t kTemperature = 2;   // [degC]
inline constexpr std::size_t kPressure = 3;      // [dbar]
inline constexpr std::size_t kSalinity = 4;      // as computed by the instrument [PSU]
inline constexpr std::size_t kSoundVelocity = 5; // as computed by the instrument [m/s]
inline constexpr std::size_t kFirstDc = 6;       // DC1 after its polynomial; DC8 at 13
inline constexpr std::size_t kDerived = 14;      // first of the six derived quantities
} // namespace vexa

namespace tavrinct {
inline constexpr std::size_t kConductivity = 1;
inline constexpr std::size_t kTemperature = 2;
inline constexpr std::size_t kDerived = 3;
} // namespace tavrinct

namespace tavrinp {
inline constexpr std::size_t kPressure = 1; // [dbar]
inline constexpr std::size_t kBarometer = 2;
inline constexpr std::size_t kDepth = 7; // [m]
} // namespace tavrinp

// Offsets of the derived quantities from a layout's kDerived, in computing order:
// salinity [PSU], adiabatic gradient [degC/dbar], potential temperature [degC], density
// anomaly [kg/m3], depth [m], sound speed [m/s].
inline constexpr std::size_t kDerivedSalinity = 0;
inline constexpr std::size_t kDerivedAtg = 1;
inline constexpr std::size_t kDerivedTheta = 2;
inline constexpr std::size_t kDerivedSigma = 3;
inline constexpr std::size_t kDerivedDepth = 4;
inline constexpr std::size_t kDerivedSoundSpeed = 5;
} // namespace scan

} // namespace halcyx
