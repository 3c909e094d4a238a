#pragma once

#include <cstdint>

namespace halcyx {

// The vessel's position and time as the GPS receiver last gave them. The position stays
// in the receiver's own ddmm.mmmm form so that the records carry it as received; it is
// kept in double precision so that rounding it to three decimals gives the digits sent.
struct NavFix {
    // The letter of a hemisphere that is not known (no fix yet, no data, unreadable field).
    static constexpr char kUnknown = 'X';
    // A latitude letter that also means "no usable position" when a record is stamped.
    static constexpr char kParseError = 'R';

    double latitude = 0.0;  // ddmm.mmmm [degrees * 100 + minutes]
    double longitude = 0.0; // dddmm.mmmm [degrees * 100 + minutes]
    char latHemisphere = kUnknown;
    char lonHemisphere = kUnknown;
    // Time of the last fix (or of the computer's clock when the records use it) [h, min, s].
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::int16_t second = 0;
    // Date from "$GPZDA" (or of the computer's clock).
    std::int16_t day = 0;
    std::int16_t month = 0;
    std::int16_t year = 0;

    // Position 0 with both letters unknown.
    void forgetPosition() {
        latitude = longitude = 0.0;
        latHemisphere = lonHemisphere = kUnknown;
    }
    bool operator==(const NavFix&) const = default;
    bool positionUnknown() const {
        return latHemisphere == kUnknown || latHemisphere == kParseError;
    }
};

} // namespace halcyx
