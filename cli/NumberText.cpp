#include "cli/NumberText.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
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
// "0.000", what stands before the digits of the smallest value in fixed form.
constexpr std::size_t kMostLead = 5;
constexpr int kBitsPerChar = 8;
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

char* Fallback(float value, char* out) {
    const int n = std::snprintf(out, kG9MaxChars, "%.9g", static_cast<double>(value));
    return out + n;
}

// mantissa * 10^scale / 2^shift rounded to nine digits, to nearest with ties to even as
// the C library rounds the exact value; scale is raised by one when the first try gives
// fewer than nine digits. The digits and the scale used. Without branches on the digits,
// which vary too much to be predicted.
template <typename Int>
std::pair<std::uint32_t, int> NineDigits(std::uint64_t mantissa, int scale, int shift) {
    Int n = static_cast<Int>(mantissa) * kPowersOf10[static_cast<std::size_t>(scale)];
    const auto short8 = static_cast<unsigned>((n >> shift) < kLowest9);
    n *= 1 + 9 * short8;
    scale += static_cast<int>(short8);
    auto digits = static_cast<std::uint32_t>(n >> shift);
    if (shift > 0) {
        const Int rest = n & ((static_cast<Int>(1) << shift) - 1);
        const Int half = static_cast<Int>(1) << (shift - 1);
        digits +=
            static_cast<unsigned>(rest > half) | (static_cast<unsigned>(rest == half) & digits);
    }
    return {digits, scale};
}

// The eight decimal digits of value (below 10^8) as the numbers 0 to 9 in eight bytes, the
// first digit in the lowest: both 4-digit halves, then their 2-digit quarters, then single
// digits are split at once in lanes of one 64-bit word.
std::uint64_t EightDigits(std::uint32_t value) {
    static_assert(std::endian::native == std::endian::little, "the digits are stored as bytes");
    constexpr std::uint64_t kTenThousand = 10'000;
    const std::uint64_t halves = value / kTenThousand | (value % kTenThousand) << 32;
    // x / 100 as (x * 10486) >> 20 and x / 10 as (x * 103) >> 10, exact for 4 and 2 digits.
    const std::uint64_t hundreds = ((halves * 10486) >> 20) & 0x0000007F0000007Full;
    const std::uint64_t quarters = ((halves - 100 * hundreds) << 16) + hundreds;
    const std::uint64_t tens = ((quarters * 103) >> 10) & 0x000F000F000F000Full;
    return tens + ((quarters - 10 * tens) << 8);
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

    // The nine digits as text, and how many are left without trailing zeros. They are
    // written from registers in pieces of fixed size, into the room the caller gives.
    const std::uint64_t last8 = EightDigits(digits % kLowest9);
    const std::uint64_t text8 = last8 + 0x3030303030303030ull; // '0' in every byte
    const auto first = static_cast<char>('0' + digits / kLowest9);
    const std::uint64_t first8 = static_cast<std::uint8_t>(first) | text8 << kBitsPerChar;
    const auto ninth = static_cast<char>(text8 >> (kBitsPerChar * 7));
    // The last digits are the highest bytes; the first digit is never 0.
    const int kept = kSignificant - std::countl_zero(last8) / kBitsPerChar;
    const auto putNine = [&](char* at) {
        std::memcpy(at, &first8, sizeof first8);
        at[sizeof first8] = ninth;
    };

    if (negative)
        *out++ = '-';
    if (exponent < kLeastFixedExponent) {
        out[0] = first;
        out[1] = '.';
        std::memcpy(out + 2, &text8, sizeof text8);
        out += kept > 1 ? kept + 1 : 1;
        // Only small numbers come here: the exponent is negative and has two digits.
        const char e[] = {'e', '-', static_cast<char>('0' + -exponent / 10),
                          static_cast<char>('0' + -exponent % 10)};
        std::memcpy(out, e, sizeof e);
        return out + sizeof e;
    }
    if (exponent < 0) { // "0.", the zeros after the point, the digits
        const int lead = 1 - exponent;
        std::memcpy(out, "0.000", kMostLead);
        putNine(out + lead);
        return out + lead + kept;
    }
    // The whole digits, then the point and the digits from the next one on.
    const int whole = exponent + 1;
    putNine(out);
    out[whole] = '.';
    const std::uint64_t fraction = text8 >> (kBitsPerChar * (whole - 1));
    std::memcpy(out + whole + 1, &fraction, sizeof fraction);
    return kept <= whole ? out + whole : out + kept + 1;
}

} // namespace halcyx::cli
