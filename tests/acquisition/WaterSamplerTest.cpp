// How the sampler's answers are read: the failure words of a firing in their order and case,
// a line that stayed silent, and the reset confirmation in any letter case.
#include "core/acquisition/WaterSampler.h"

#include <gtest/gtest.h>

namespace halcyx {
namespace {

TEST(WaterSamplerAnswers, AreReadByTheirWordsInOrder) {
    const std::pair<const char*, FireAnswer> fire[] = {
        {"FIRE\r\nBOTTLE 1 FIRED\r\n", FireAnswer::Fired},
        {"FIRE\r\n", FireAnswer::Fired}, // free text: no failure word is success
        {"FIRE\r\nno conf\r\n", FireAnswer::Fired},
        {"FIRE\r\nNO CONF\r\n", FireAnswer::NoConfirmation},
        {"FIRE\r\nLV BAF\r\n", FireAnswer::LowVoltage},
        {"FIRE\r\nBAF\r\n", FireAnswer::AlreadyFired},
        {"", FireAnswer::Silent},
    };
    for (const auto& [answer, read] : fire)
        EXPECT_EQ(readFireAnswer(answer), read) << answer;
    for (const char* confirmed : {"RHPS\r\nTEST OK\r\n", "test ok", "Test Ok"})
        EXPECT_TRUE(isResetConfirmed(confirmed)) << confirmed;
    for (const char* refused : {"RHPS\r\nNO SAMPLER\r\n", "TEST  OK", ""})
        EXPECT_FALSE(isResetConfirmed(refused)) << refused;
}

} // namespace
} // namespace halcyx
