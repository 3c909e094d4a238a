// Taking instrument answers apart: values, markers, cut-short and noisy answers.
#include "core/instrument/Answer.h"

#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using namespace std::string_literals;

struct ValueCase {
    std::string answer;
    std::optional<std::string> value;
};

TEST(ExtractValue, TakesEverythingAfterTheFirstEqualsWithoutLineEndsAndSpaces) {
    const std::vector<ValueCase> cases = {
        {"S/N = 1234M\r\n", "1234M"},
        {"S/N\r = 1234M\r\n", "1234M"},
        {"VER=2.10", "2.10"},
        {"A = b = c", "b=c"},
        {"S/N =", ""},
        {"S/N = 1234M", "1234M"},
        {"S/N 1234M\r\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(ExtractValue(c.answer), c.value) << c.answer;
}

TEST(LineAfter, StopsAtTheLineEndAndFailsWhenNothingFollows) {
    EXPECT_EQ(lineAfter("TIME\r\nTime is 12:34:56\r\nNew? ", "is "), "12:34:56");
    EXPECT_EQ(lineAfter("Time is 12:34", "is "), "12:34");
    EXPECT_EQ(lineAfter("Time is \r\n", "is "), std::nullopt);
    EXPECT_EQ(lineAfter("Time is ", "is "), std::nullopt);
    EXPECT_EQ(lineAfter("Time 12:34:56", "is "), std::nullopt);
}

TEST(FieldAfter, TakesExactlyTheCountOrFails) {
    EXPECT_EQ(fieldAfter("Interval is 00:05:00\r\n", "is ", 8), "00:05:00");
    EXPECT_EQ(fieldAfter("Interval is 00:05:00", "is ", 8), "00:05:00");
    // Cut short by the byte limit: never read past the answer.
    EXPECT_EQ(fieldAfter("Interval is 00:0", "is ", 8), std::nullopt);
    EXPECT_EQ(fieldAfter("Interval is ", "is ", 8), std::nullopt);
    EXPECT_EQ(fieldAfter("AVG = 00:10\r\n", "=", 5, 1), "00:10");
    EXPECT_EQ(fieldAfter("AVG =", "=", 5, 1), std::nullopt);
    EXPECT_EQ(fieldAfter("AVG = 00:1", "=", 5, 1), std::nullopt);
}

TEST(NumberAfter, ReadsTheNumberAfterTheMarker) {
    EXPECT_EQ(numberAfter("RT\r\nTAU = 3\r\n", "TAU ="), 3);
    EXPECT_EQ(numberAfter("TAU =7", "TAU ="), 7);
    EXPECT_EQ(numberAfter("ADR = -2", "="), -2);
    EXPECT_EQ(numberAfter("TAU = x", "TAU ="), std::nullopt);
    EXPECT_EQ(numberAfter("TAU =", "TAU ="), std::nullopt);
    EXPECT_EQ(numberAfter("TAU 3", "TAU ="), std::nullopt);
    EXPECT_EQ(numberAfter("ADR = 99999999999999999999", "="), INT_MAX);
}

TEST(AnswerText, DropsNulBytesSoLaterMarkersAreFound) {
    const std::vector<std::uint8_t> bytes = {0xff, 0, 'O', 'p', 'e', 'n', 0};
    const std::string text = answerText(bytes);
    EXPECT_EQ(text, "\xffOpen"s);
    EXPECT_TRUE(contains(text, "Open"));
}

} // namespace
} // namespace halcyx
