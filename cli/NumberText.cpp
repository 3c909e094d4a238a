#include "cli/NumberText.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace halcyx::cli {
namespace {

constexpr int kSignificant = 9;
constexpr std::uint32_t kLowest9 = 100'000'000;   // 10^8: the least nine-digit number
constexpr std::uint32_t kBeyond9 = 1'000'000'000; // 10^9
// From this scale on the scaled mantissa needs 128 bits (2^24 * 10^11 * 10 > 2^64).
constexpr int kWideScale = 11;
// "%g" writes the exponent form below this decimal exponent (and from kSignificant up).
constexpr int kLeastFixedExponent = -4;
// The fast path covers kSmallest <= |value| < kLargest, where the value scaled to nine
// digits stays below 2^24 * 10^14 < 2^128 and the decimal exponent lies from -6 to 7.
constexpr float kSmallest = 1e-5f;
constexpr float kLargest = 16777216.0f; // 2^24
constexpr int kFloatMantissaBits = 23;
constexpr int kFloatExponentBias = 127;
constexpr std::uint32_t kFloatExponentMask = 0xFF;
// floor(k * log10(2)) as (k * 78913) >> 18, exact for |k| < 1650.
constexpr int kLog10Of2Times2p18 = 78913;
constexpr int kLog10Shift = 18;

using Wide = unsigned __int128;

constexpr std::array<std::uint64_t, 16> kPowersOf10 = {
    1ull,
    10ull,
    100ull,
    1'000ull,
    10'000ull,
    100'000ull,
    1'000'000ull,
    10'000'000ull,
    100'000'000ull,
    1'000'000'000ull,
    10'000'000'000ull,
    100'000'000'000ull,
    1'000'000'000'000ull,
    10'000'000'000'000ull,
    100'000'000'000'000ull,
    1'000'000'000'000'000ull,
};

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

char* Fallback(float value, char* out) {
    const int n = std::snprintf(out, kG9MaxChars, "%.9g", static_cast<double>(value));
    return out + n;
}

// mantissa * 10^scale / 2^shift rounded to nine digits, to nearest with ties to even as
// the C library rounds the exact value; scale is raised by one when the first try gives
// fewer than nine digits. The digits and the scale used.
template <typename Int>
std::pair<std::uint32_t, int> NineDigits(std::uint64_t mantissa, int scale, int shift) {
    Int n = static_cast<Int>(mantissa) * kPowersOf10[static_cast<std::size_t>(scale)];
    if ((n >> shift) < kLowest9) {
        n *= 10;
        ++scale;
    }
    auto digits = static_cast<std::uint32_t>(n >> shift);
    if (shift > 0) {
        const Int rest = n & ((static_cast<Int>(1) << shift) - 1);
        const Int half = static_cast<Int>(1) << (shift - 1);
        if (rest > half || (rest == half && (digits & 1) != 0))
            ++digits;
    }
    return {digits, scale};
}

} // namespace

char* FormatG9(float value, char* out) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const bool negative = (bits >> 31) != 0;
    const float magnitude = negative ? -value : value;
    if (magnitude == 0.0f) { // common enough to be worth its own way: "0" or "-0"
        if (negative)
            *out++ = '-';
        *out++ = '0';
        return out;
    }
    // Infinity, NaN and the values outside the fast range (which excludes the subnormals) go the
    // slow way.
    if (!(magnitude >= kSmallest && magnitude < kLargest))
        return Fallback(value, out);
    const int biased = static_cast<int>((bits >> kFloatMantissaBits) & kFloatExponentMask);
    const std::uint64_t mantissa =
        (bits & ((1u << kFloatMantissaBits) - 1)) | (1u << kFloatMantissaBits);
    // magnitude = mantissa / 2^shift, shift from 0 to 40 in the fast range.
    const int shift = kFloatExponentBias + kFloatMantissaBits - biased;
    // magnitude lies in [2^k, 2^(k+1)), so its decimal exponent is the estimate or one more.
    const int estimate = ((biased - kFloatExponentBias) * kLog10Of2Times2p18) >> kLog10Shift;
    const int scale = kSignificant - 2 - estimate;
    // Below kWideScale 64 bits hold the scaled mantissa, and its tenfold, on their own.
    const auto [nine, used] = scale < kWideScale ? NineDigits<std::uint64_t>(mantissa, scale, shift)
                                                 : NineDigits<Wide>(mantissa, scale, shift);
    std::uint32_t digits = nine;
    int exponent = kSignificant - 1 - used;
    if (digits == kBeyond9) { // rounded up to the next power of ten
        digits = kLowest9;
        ++exponent;
    }

    // Two digits at a time from the back; the ninth (first) digit alone.
    std::array<char, kSignificant> d{};
    for (int i = kSignificant - 2; i >= 1; i -= 2) {
        const std::size_t pair = 2 * (digits % 100);
        digits /= 100;
        d[static_cast<std::size_t>(i)] = kDigitPairs[pair];
        d[static_cast<std::size_t>(i) + 1] = kDigitPairs[pair + 1];
    }
    d[0] = static_cast<char>('0' + digits);
    int kept = kSignificant; // without trailing zeros
    while (kept > 1 && d[static_cast<std::size_t>(kept - 1)] == '0')
        --kept;
    const auto copy = [&out, &d](int from, int to) {
        for (int i = from; i < to; ++i)
            *out++ = d[static_cast<std::size_t>(i)];
    };

    if (negative)
        *out++ = '-';
    if (exponent < kLeastFixedExponent) {
        *out++ = d[0];
        if (kept > 1) {
            *out++ = '.';
            copy(1, kept);
        }
        // Only small numbers come here: the exponent is negative and has two digits.
        *out++ = 'e';
        *out++ = '-';
        *out++ = static_cast<char>('0' + -exponent / 10);
        *out++ = static_cast<char>('0' + -exponent % 10);
    } else if (exponent >= 0) {
        copy(0, exponent + 1);
        if (kept > exponent + 1) {
            *out++ = '.';
            copy(exponent + 1, kept);
        }
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i)
            *out++ = '0';
        copy(0, kept);
    }
    return out;
}

} // namespace halcyx::cli
