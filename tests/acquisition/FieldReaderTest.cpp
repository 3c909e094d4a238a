// Field splitting of a scan line and the decimal conversion of field and coefficient texts.

#include "core/acquisition/FieldReader.h"

#include "core/base/DecimalNumber.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace halcyx {
namespace {

using namespace std::string_literals;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DecimalNumber, ConvertsPlainDecimalsOnly) {
    for (const char* text :
         {"12.5", "  -3e2x", "+.5", "5.", "1e", "1e+", "2E-3,", "007", "", "abc", ".", "-", "- 5",
          "1e999", "-1e999", "1e-999", "0.0000e99999", "123456789012345678901234567890"})
        EXPECT_EQ(decimalNumber(text), std::strtod(text, nullptr)) << text;
    // Hexadecimal, infinity and not-a-number texts are not instrument numbers.
    for (const char* text : {"0x10", "inf", "nan", "INFINITY"})
        EXPECT_EQ(decimalNumber(text), 0.0) << text;
}

// Instrument numbers take a quick path; it must round exactly as the full conversion, also
// on either side of the digit count it covers and with what may stand around a number.
TEST(DecimalNumber, AgreesWithTheCLibraryToTheLastBit) {
    std::mt19937_64 random(42);
    const char* const before[] = {"", "-", "+", "  ", " -", "\t+", "00"};
    const char* const after[] = {"", " ", ",", "e3", "E-2", "e", "x", ".5"};
    for (int n = 0; n < 400000; ++n) {
        std::string text = std::to_string(random() % 100'000'000'000'000'000);
        text.resize(1 + random() % text.size());
        const std::size_t point = random() % (text.size() + 1);
        if (random() % 4 != 0)
            text.insert(point, ".");
        text = before[random() % std::size(before)] + text + after[random() % std::size(after)];
        ASSERT_EQ(decimalNumber(text), std::strtod(text.c_str(), nullptr)) << text;
    }
}

TEST(FieldReader, SplitsAtCommasKeepsPrintableCharactersAndCutsLongFields) {
    const std::pair<std::string, const char*> cases[] = {
        {"1.5, 2.5,3", "1.5| 2.5|3|"},
        {"a,,b", "a||b|"},
        {"7", "7|||"},
        {"", "|||"},
        {"no commas at all", "no commas at all|||"},
        // Control characters, NUL and bytes above 126 are dropped from the field.
        {"1\0"
         "2\t3\xb0,4"s,
         "123|4||"},
        // The same inside runs of eight and more characters: DEL, bytes above 126, NUL, 255.
        {"1234\x7f"
         "5678901,abcdefgh\xe9ijk,lmnopqrs\0tu,vwxyz12\xff"
         "ab"s,
         "12345678901|abcdefghijk|lmnopqrstu|vwxyz12ab"},
        // A field ends after 30 characters; the rest runs on as the next field.
        {std::string(45, '9') + ",1", "999999999999999999999999999999|999999999999999|1|"}};
    for (const auto& [line, expected] : cases) {
        FieldReader reader(line);
        std::string fields;
        for (int i = 0; i < 4; ++i)
            fields += std::string(reader.nextText()) + (i < 3 ? "|" : "");
        EXPECT_EQ(fields, expected) << line;
    }
}

// Plain fields are converted in the pass that finds their end; text and number must be
// those of the field's text through decimalNumber, whatever the line holds.
TEST(FieldReader, FieldsGiveTheTextAndNumberOfTheGeneralWay) {
    std::mt19937_64 random(7);
    const char* const pieces[] = {"",  " ",  "  ", "-",  "+",    ".", "0",           "7",
                                  "9", "e2", "E",  "\t", "\x01", "x", "            "};
    for (int n = 0; n < 20000; ++n) {
        std::string line;
        for (int field = 0; field < 4; ++field) {
            for (int piece = random() % 6; piece > 0; --piece)
                line += pieces[random() % std::size(pieces)];
            std::string digits = std::to_string(random() % 1'000'000'000'000'000'000ull);
            digits.resize(1 + random() % digits.size());
            if (random() % 2 != 0)
                digits.insert(random() % (digits.size() + 1), ".");
            line += digits;
            if (random() % 8 == 0)
                line += std::string(random() % 30, ' ');
            line += ",";
        }
        line.resize(line.size() - random() % 3);
        FieldReader fast(line);
        FieldReader general(line);
        for (int field = 0; field < 5; ++field) {
            const FieldReader::Field f = fast.nextField();
            const std::string text(general.nextText());
            ASSERT_EQ(f.text, text) << line;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(f.number),
                      std::bit_cast<std::uint64_t>(decimalNumber(text)))
                << line;
        }
    }
}

TEST(FieldReader, NumbersOfFieldsThatDoNotConvertAreZero) {
    FieldReader reader("x1, 12.25 ,--3,1e400");
    for (double expected : {0.0, 12.25, 0.0, kInf, 0.0})
        EXPECT_EQ(reader.nextNumber(), expected);
}

} // namespace
} // namespace halcyx
