// The "Save" checks of the configuration dialogs: each rule's passing and failing boundary,
// the order of the rules, the per-family captions and the Vexa dialog's DC question.
#include "core/instrument/ConfigValidation.h"

#include "tests/support/ScriptedOperator.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace halcyx;
using halcyx::test::ScriptedOperator;

namespace {

// Entries that pass every check; each case changes what it is about.
TimingEntries goodEntries() {
    return {"00:01:00", "00:00:30", "01-01-1999", "08:00:00", "00:10", true};
}

constexpr auto V = ConfigFamily::Vexa;
constexpr auto T = ConfigFamily::Tavrin;
using F = ConfigField;

struct Case {
    ConfigFamily family;
    TimingEntries entries;
    const char* message; // empty: the entries pass
    const char* caption;
    ConfigField field;
};

constexpr const char* kFormat = "Interval Time format error, (00:00:00)";
constexpr const char* kOnOver = "ON Time must be less than Interval Time!";
constexpr const char* kOnUnder = "ON Time must be greater than 10 seconds!";
constexpr const char* kAvgFormat = "Average Time format error, (00:00)";
constexpr const char* kAvgOver = "Average Time cannot be greater than Instrument On Time.";

// clang-format off
// Interval, on, delayed date, delayed time, average, averaging available.
const Case kCases[] = {
    {V, {"00:01:00", "00:00:30", "01-01-1999", "08:00:00", "00:10", true}, "", "", F::OnTime},
    {V, {"00:01:00", "00:00:10", "01-01-1999", "08:00:00", "00:10", true}, "", "", F::OnTime},
    {V, {"00:01:00", "00:00:09", "01-01-1999", "08:00:00", "00:00", true}, kOnUnder, "Time Error", F::OnTime},
    {V, {"00:05:00", "00:05:00", "01-01-1999", "08:00:00", "00:10", true}, "", "", F::OnTime},
    {T, {"00:05:00", "00:05:01", "01-01-1999", "08:00:00", "00:10", true}, kOnOver, "Time Error", F::OnTime},
    // Longer than the interval is reported before the minimum.
    {V, {"00:00:05", "00:00:06", "01-01-1999", "08:00:00", "00:10", true}, kOnOver, "Time Error", F::OnTime},
    // One colon is enough; none is not.
    {V, {"12-34:56", "00:00:30", "01-01-1999", "08:00:00", "00:10", true}, "", "", F::OnTime},
    {V, {"12-34-56", "00:00:30", "01-01-1999", "08:00:00", "00:10", true}, kFormat, "Time Error", F::IntervalTime},
    // No range check: 99:99:99 is 362439 s, one more than 99:99:98.
    {V, {"99:99:99", "99:99:99", "01-01-1999", "08:00:00", "99:99", true}, "", "", F::OnTime},
    {T, {"99:99:98", "99:99:99", "01-01-1999", "08:00:00", "00:10", true}, kOnOver, "Time Error", F::OnTime},
    // Characters after the eighth are not looked at; a short text fails safely.
    {V, {"00:01:00 and more", "00:00:30", "01-01-1999", "08:00:00", "00:10", true}, "", "", F::OnTime},
    {V, {"00:01:00", "00:00:3", "01-01-1999", "08:00:00", "00:10", true}, "On Time format error, (00:00:00)", "Time Error", F::OnTime},
    // The Vexa dialog reports both formats in one box, the Tavrin dialogs the first one.
    {V, {"", "Not Set", "01-01-1999", "08:00:00", "00:10", true}, "Interval Time format error, (00:00:00)\nOn Time format error, (00:00:00)", "Time Error", F::IntervalTime},
    {T, {"1:00:00", "x", "01-01-1999", "08:00:00", "00:10", true}, kFormat, "Interval Time Error", F::IntervalTime},
    {T, {"00:01:00", "00:0a:30", "01-01-1999", "08:00:00", "00:10", true}, "ON Time format error, (00:00:00)", "ON Time Error", F::OnTime},
    // Delayed time before delayed date; both before the time limits.
    {T, {"00:01:00", "00:00:30", "", "8:00:00", "00:10", true}, "Delayed Time format error, (00:00:00)", "Delayed Time Error", F::DelayedTime},
    {V, {"00:01:00", "00:00:30", "01/01-1999", "08:00:00", "00:10", true}, "", "", F::OnTime},
    {V, {"00:01:00", "00:00:01", "01-01-99", "08:00:00", "00:10", true}, "Delayed Date format error, (00-00-0000)", "Delayed Date Error", F::DelayedDate},
    // The average: equal to the on time passes; minutes count 60 s; every digit after the
    // colon counts; the time limits come first.
    {V, {"00:01:00", "00:00:30", "01-01-1999", "08:00:00", "00:30", true}, "", "", F::OnTime},
    {T, {"00:01:00", "00:00:30", "01-01-1999", "08:00:00", "00:31", true}, kAvgOver, "Average Time Error", F::AverageLength},
    {V, {"00:02:00", "00:01:00", "01-01-1999", "08:00:00", "01:01", true}, kAvgOver, "Average Time Error", F::AverageLength},
    {V, {"00:01:00", "00:00:30", "01-01-1999", "08:00:00", "00:300", true}, kAvgOver, "Average Time Error", F::AverageLength},
    {V, {"00:01:00", "00:00:30", "01-01-1999", "08:00:00", "00-10", true}, kAvgFormat, "Average Time Error", F::AverageLength},
    {T, {"00:01:00", "00:00:30", "01-01-1999", "08:00:00", "OFF", true}, kAvgFormat, "Average Time Error", F::AverageLength},
    {T, {"00:01:00", "00:00:30", "01-01-1999", "08:00:00", "OFF", false}, "", "", F::OnTime},
    {V, {"00:00:05", "00:00:05", "01-01-1999", "08:00:00", "", true}, kOnUnder, "Time Error", F::OnTime},
};
// clang-format on

} // namespace

TEST(ConfigValidation, FirstFailingRuleOrPass) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.entries.intervalTime) + " " + std::string(c.entries.onTime) +
                     " " + std::string(c.entries.averageLength));
        const auto result = validateTiming(c.family, c.entries);
        if (*c.message == '\0') {
            EXPECT_EQ(result, std::nullopt);
        } else {
            EXPECT_EQ(result, (ValidationFailure{c.message, c.caption, Icon::Stop, c.field}));
        }
    }
}

TEST(ConfigValidation, DcQuestionIsAskedAgainAfterNo) {
    ScriptedOperator op;
    VexaSaveState state{.anyDcChannelOn = true};
    int dcSetupRuns = 0;
    const auto openDcSetup = [&] { ++dcSetupRuns; };
    TimingEntries bad = goodEntries();
    bad.onTime = "00:00:05";

    op.expectQuestion("Do you want to Configure the DC Channels?", "DC Channels", false)
        .expectMessage(kOnUnder, "Time Error", Icon::Stop)
        .expectQuestion("Do you want to Configure the DC Channels?", "DC Channels", false);
    EXPECT_TRUE(confirmSave(ConfigFamily::Vexa, bad, op, &state, openDcSetup));
    EXPECT_FALSE(confirmSave(ConfigFamily::Vexa, goodEntries(), op, &state, openDcSetup));
    EXPECT_EQ(dcSetupRuns, 0);
    EXPECT_FALSE(state.dcSetupOpened);

    // Yes opens the DC channel dialog once; later presses no longer ask.
    op.expectQuestion("Do you want to Configure the DC Channels?", "DC Channels", true)
        .expectMessage(kOnUnder, "Time Error", Icon::Stop);
    EXPECT_TRUE(confirmSave(ConfigFamily::Vexa, bad, op, &state, openDcSetup));
    EXPECT_FALSE(confirmSave(ConfigFamily::Vexa, goodEntries(), op, &state, openDcSetup));
    EXPECT_EQ(dcSetupRuns, 1);
    EXPECT_TRUE(op.done());
}
