#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

namespace halcyx {

// The plain decimal text-to-number conversion used for instrument fields and coefficient
// texts: leading blanks are skipped, an optional sign, digits with an optional point and
// exponent; conversion stops at the first character that cannot continue the number and
// gives 0 when nothing converts. Only decimal notation is accepted (no hexadecimal, no
// "inf" or "nan"), and the result does not depend on the process locale. A number too
// large for a double gives +-HUGE_VAL, one too small gives 0, as the C library does.
double decimalNumber(std::string_view text);

// A plain fixed-point number at the very start of text, the instrument's own form: an
// optional sign and 1 to 15 digits with at most one point. Within that form its value is
// exactly decimalNumber's; end is where the form stops, and a caller that finds an exponent
// or other characters there must take decimalNumber instead.
struct PlainNumber {
    double value = 0.0;
    std::size_t end = 0; // [characters]
    bool found = false;
};
PlainNumber plainFixedPoint(std::string_view text);

// Narrows to single precision the way the hardware does: a finite value beyond the float
// range becomes +-infinity instead of being undefined behaviour.
inline float toSingle(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax)
        return std::numeric_limits<float>::infinity();
    if (value < -kMax)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace halcyx
