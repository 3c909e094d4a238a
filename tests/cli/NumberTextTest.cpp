// The fast "%.9g" text of single-precision values against the C library's own.

#include "cli/NumberText.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

using halcyx::cli::FormatG9;
using halcyx::cli::kG9MaxChars;

std::string Fast(float value) {
    char text[kG9MaxChars];
    return {text, FormatG9(value, text)};
}

std::string Library(float value) {
    char text[kG9MaxChars];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

TEST(FormatG9, MatchesSnprintfOnEdgesTiesAndRandomValues) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const float edges[] = {
        0.0f,
        -0.0f,
        1.0f,
        -1.0f,
        0.5f,
        0.1f,
        1e-5f,
        -1e-5f,
        9.99999e-6f,
        1.00001e-5f,
        1e-4f,
        9.9999999e-5f,
        0.00012345678f,
        123456789.0f,
        16777215.0f,
        16777216.0f,
        16777217.0f,
        8388607.5f,
        999999999.0f,
        99999.9999f,
        9.99999999f,
        0.999999999f,
        100000.0625f, // exactly half way at the ninth digit: rounds to even ...062
        100000.1875f, // ... and ...188 here
        1000.00006f,
        1502.12305f,
        35.0999985f,
        0.000125881634f,
        3.0e38f,
        1.0e-40f,
        std::numeric_limits<float>::denorm_min(),
        std::numeric_limits<float>::max(),
        kInf,
        -kInf,
        std::numeric_limits<float>::quiet_NaN()};
    for (float v : edges)
        EXPECT_EQ(Fast(v), Library(v)) << Library(v);

    std::mt19937 random(20261206);
    std::uniform_real_distribution<float> cast(-2000.0f, 8000.0f); // readings of a cast
    std::uniform_int_distribution<std::uint32_t> bits;             // any float at all
    std::uniform_real_distribution<float> decade(-6.0f, 8.0f);     // every decade in range
    for (int n = 0; n < 150'000; ++n) {
        const float values[] = {cast(random), std::bit_cast<float>(bits(random)),
                                std::pow(10.0f, decade(random)),
                                std::nearbyint(cast(random) * 16.0f) / 16.0f};
        for (float v : values)
            ASSERT_EQ(Fast(v), Library(v)) << Library(v);
    }
}

} // namespace
