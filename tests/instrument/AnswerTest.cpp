// Taking instrument answers apart where the exchanges cannot show it: overlong numbers and
// NUL bytes in the text.
#include "core/instrument/Answer.h"

#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using namespace std::string_literals;

TEST(NumberAfter, SaturatesAnOverlongNumberAndTakesASign) {
    EXPECT_EQ(numberAfter("ADR = -2", "="), -2);
    EXPECT_EQ(numberAfter("ADR = 99999999999999999999", "="), INT_MAX);
    EXPECT_EQ(numberAfter("ADR = -99999999999999999999", "="), INT_MIN);
}

TEST(AnswerText, DropsNulBytesSoLaterMarkersAreFound) {
    const std::vector<std::uint8_t> bytes = {0xff, 0, 'O', 'p', 'e', 'n', 0};
    const std::string text = answerText(bytes);
    EXPECT_EQ(text, "\xffOpen"s);
    EXPECT_TRUE(contains(text, "Open"));
}

} // namespace
} // namespace halcyx
