// The fast "%.9g" text of single-precision values against the C library's own.

#include "cli/NumberText.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
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
    // 100000.0625 lies exactly half way at the ninth digit and rounds to even (...062);
    // 100000.1875 rounds up (...188). 1e-45 is the smallest subnormal float.
    std::istringstream edges(
        "0 -0 1 -1 0.5 0.1 1e-5 -1e-5 9.99999e-6 1.00001e-5 1e-4 9.9999999e-5 0.00012345678 "
        "123456789 16777215 16777216 16777217 8388607.5 999999999 99999.9999 9.99999999 "
        "0.999999999 100000.0625 100000.1875 1000.00006 1502.12305 35.0999985 0.000125881634 "
        "3.0e38 1.0e-40 1e-45 3.40282347e38 inf -inf nan");
    for (std::string text; edges >> text;) {
        const float v = std::strtof(text.c_str(), nullptr);
        EXPECT_EQ(Fast(v), Library(v)) << text;
    }

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
