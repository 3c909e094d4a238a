// Field splitting of a scan line and the decimal conversion of field and coefficient texts.

#include "acquisition/FieldReader.h"

#include "acquisition/DecimalNumber.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace halcyx {
namespace {

TEST(DecimalNumber, ConvertsLikeThePlainDecimalConversion) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"12.5", 12.5},
        {"  -3e2x", -300.0},
        {"+.5", 0.5},
        {"5.", 5.0},
        {"1e", 1.0},
        {"1e+", 1.0},
        {"2E-3,", 0.002},
        {"007", 7.0},
        {"", 0.0},
        {"abc", 0.0},
        {".", 0.0},
        {"-", 0.0},
        {"0x10", 0.0},
        {"inf", 0.0},
        {"nan", 0.0},
        {"- 5", 0.0},
        {"1e999", inf},
        {"-1e999", -inf},
        {"1e-999", 0.0},
        {"0.0000e99999", 0.0},
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DecimalNumber(c.text), c.value);
    }
}

// Instrument numbers take a quick path; it must round exactly as the full conversion.
TEST(DecimalNumber, AgreesWithTheCLibraryToTheLastBit) {
    std::mt19937_64 random(42);
    for (int n = 0; n < 200000; ++n) {
        std::string text = (random() % 2 ? "-" : "") + std::to_string(random() % 100000000000);
        const int point = static_cast<int>(random() % (text.size() + 1));
        if (point > 0 && text[point - 1] != '-')
            text.insert(point, ".");
        ASSERT_EQ(DecimalNumber(text), std::strtod(text.c_str(), nullptr)) << text;
    }
}

std::vector<std::string> Fields(std::string_view line, int count) {
    FieldReader reader(line);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.emplace_back(reader.NextText());
    return out;
}

TEST(FieldReader, SplitsAtCommasAndKeepsOnlyPrintableCharacters) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Fields("1.5, 2.5,3", 3), (V{"1.5", " 2.5", "3"}));
    EXPECT_EQ(Fields("a,,b", 3), (V{"a", "", "b"}));
    // Missing fields past the end are empty.
    EXPECT_EQ(Fields("7", 3), (V{"7", "", ""}));
    EXPECT_EQ(Fields("", 2), (V{"", ""}));
    // Control characters, NUL and bytes above 126 are dropped from the field.
    EXPECT_EQ(Fields(std::string_view("1\x00"
                                      "2\t3\xb0,4",
                                      8),
                     2),
              (V{"123", "4"}));
    EXPECT_EQ(Fields("no commas at all", 2), (V{"no commas at all", ""}));
}

TEST(FieldReader, AFieldEndsAfterThirtyCharacters) {
    const std::string longField(45, '9');
    const std::vector<std::string> fields = Fields(longField + ",1", 3);
    EXPECT_EQ(fields[0], std::string(30, '9'));
    EXPECT_EQ(fields[1], std::string(15, '9')); // the rest runs on as the next field
    EXPECT_EQ(fields[2], "1");
}

TEST(FieldReader, NumbersOfFieldsThatDoNotConvertAreZero) {
    FieldReader reader("x1, 12.25 ,--3,1e400");
    EXPECT_EQ(reader.NextNumber(), 0.0);
    EXPECT_EQ(reader.NextNumber(), 12.25);
    EXPECT_EQ(reader.NextNumber(), 0.0);
    EXPECT_EQ(reader.NextNumber(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(reader.NextNumber(), 0.0);
}

} // namespace
} // namespace halcyx
