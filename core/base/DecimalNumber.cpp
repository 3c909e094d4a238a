#include "core/base/DecimalNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace halcyx {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The longest prefix of text that forms a decimal number, and the power of ten of its
// leading significant digit (used only to tell overflow from underflow).
struct NumberPrefix {
    std::size_t end = 0;
    bool negative = false;
    bool hasDigits = false;
    long magnitude = 0;
    // The digits as an integer and the count after the point, while they fit exactly;
    // exactDigits is false once they do not (or an exponent follows).
    std::uint64_t mantissa = 0;
    int fractionDigits = 0;
    bool exactDigits = true;
};

// Integers up to 2^53 are exact in a double, and so are the powers of ten up to 1e22:
// their quotient is then correctly rounded, as the full conversion would give it.
constexpr std::uint64_t kMaxExactMantissa = std::uint64_t{1} << 53;
constexpr std::array<double, 23> kPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

void AddDigit(NumberPrefix& n, char c) {
    if (!n.exactDigits)
        return;
    n.mantissa = n.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
    if (n.mantissa >= kMaxExactMantissa)
        n.exactDigits = false;
}

NumberPrefix ScanNumber(std::string_view text, std::size_t start) {
    NumberPrefix n;
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        n.negative = text[i] == '-';
        ++i;
    }
    long intDigits = 0;     // integer digits after leading zeros
    long fractionZeros = 0; // zeros after the point before the first significant digit
    bool significant = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        n.hasDigits = true;
        AddDigit(n, text[i]);
        if (text[i] != '0' || significant) {
            significant = true;
            ++intDigits;
        }
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            n.hasDigits = true;
            AddDigit(n, text[i]);
            ++n.fractionDigits;
            if (!significant && text[i] == '0')
                ++fractionZeros;
            else
                significant = true;
        }
    }
    if (!n.hasDigits)
        return n;
    n.end = i;
    long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negativeExponent = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            constexpr long kExponentCap = 100000; // far beyond any double, avoids overflow
            for (; j < text.size() && IsDigit(text[j]); ++j)
                exponent = std::min(kExponentCap, exponent * 10 + (text[j] - '0'));
            if (negativeExponent)
                exponent = -exponent;
            n.end = j;
            n.exactDigits = false;
        }
    }
    n.magnitude = (intDigits > 0 ? intDigits - 1 : -(fractionZeros + 1)) + exponent;
    return n;
}

} // namespace

double decimalNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    const NumberPrefix n = ScanNumber(text, start);
    if (!n.hasDigits)
        return 0.0;
    if (n.exactDigits && n.fractionDigits < static_cast<int>(kPowersOfTen.size())) {
        const double value = static_cast<double>(n.mantissa) / kPowersOfTen[n.fractionDigits];
        return n.negative ? -value : value;
    }
    // from_chars takes no leading '+'.
    if (text[start] == '+')
        ++start;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + n.end, value,
                                           std::chars_format::general);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        const double size = n.magnitude > 0 ? HUGE_VAL : 0.0;
        return n.negative ? -size : size;
    }
    return value;
}

} // namespace halcyx
