#include "acquisition/DecimalNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

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
};

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
        if (text[i] != '0' || significant) {
            significant = true;
            ++intDigits;
        }
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            n.hasDigits = true;
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
        }
    }
    n.magnitude = (intDigits > 0 ? intDigits - 1 : -(fractionZeros + 1)) + exponent;
    return n;
}

} // namespace

double DecimalNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    const NumberPrefix n = ScanNumber(text, start);
    if (!n.hasDigits)
        return 0.0;
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

float ToSingle(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax)
        return std::numeric_limits<float>::infinity();
    if (value < -kMax)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace halcyx
