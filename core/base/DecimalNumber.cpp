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

// Fixed-point texts of up to this many digits, the instrument's own, take the quick way
// in decimalNumber: below 10^15 < 2^53 the digits are an exact integer.
constexpr int kQuickDigits = 15;
// The powers of ten a quick text divides by, all exact in a double.
constexpr std::array<double, kQuickDigits + 1> kPowersOfTen = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

} // namespace

// The digits are an exact integer and the power of ten an exact double, so their quotient
// rounds exactly as the full conversion.
PlainNumber plainFixedPoint(std::string_view text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* at = begin;
    const bool negative = at < end && *at == '-';
    if (at < end && (*at == '-' || *at == '+'))
        ++at;
    std::uint64_t mantissa = 0;
    const char* const first = at;
    const char* point = nullptr;
    for (; at < end; ++at) {
        const auto digit = static_cast<unsigned>(*at - '0');
        if (digit < 10)
            mantissa = mantissa * 10 + digit;
        else if (*at == '.' && point == nullptr)
            point = at;
        else
            break;
    }
    const long fraction = point == nullptr ? 0 : at - point - 1;
    const long digits = (at - first) - (point == nullptr ? 0 : 1);
    PlainNumber n;
    n.end = static_cast<std::size_t>(at - begin);
    if (digits == 0 || digits > kQuickDigits)
        return n;
    const double value = static_cast<double>(mantissa) / kPowersOfTen[fraction];
    n.value = negative ? -value : value;
    n.found = true;
    return n;
}

double decimalNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    const PlainNumber plain = plainFixedPoint(text.substr(start));
    const std::size_t after = start + plain.end;
    if (plain.found && (after == text.size() || (text[after] != 'e' && text[after] != 'E')))
        return plain.value;
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

} // namespace halcyx
