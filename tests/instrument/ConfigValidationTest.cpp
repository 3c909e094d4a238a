// The "Save" checks of the configuration dialogs: each rule's passing and failing boundary,
// the order of the rules, the per-family captions and the Vexa dialog's DC question.
#include "instrument/ConfigValidation.h"

#include "ScriptedOperator.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace halcyx;
using halcyx::test::ScriptedOperator;

namespace {

// Entries that pass every check; each case changes what it is about.
TimingEntries goodEntries() {
    TimingEntries e;
    e.intervalTime = "00:01:00";
    e.onTime = "00:00:30";
    e.delayedDate = "01-01-1999";
    e.delayedTime = "08:00:00";
    e.averageLength = "00:10";
    e.averagingAvailable = true;
    return e;
}

constexpr const char* kIntervalFormat = "Interval Time format error, (00:00:00)";

struct Case {
    const char* what;
    ConfigFamily family;
    TimingEntries entries;
    std::optional<ValidationFailure> expected; // nullopt: the entries pass
};

ValidationFailure fails(const char* message, const char* caption, ConfigField field) {
    return {message, caption, Icon::Stop, field};
}

TimingEntries with(void (*change)(TimingEntries&)) {
    TimingEntries e = goodEntries();
    change(e);
    return e;
}

std::vector<Case> cases() {
    const auto V = ConfigFamily::Vexa;
    const auto T = ConfigFamily::Tavrin;
    using F = ConfigField;
    return {
        {"defaults pass", V, goodEntries(), std::nullopt},
        {"on time of exactly 10 s", V, with([](TimingEntries& e) { e.onTime = "00:00:10"; }),
         std::nullopt},
        {"on time of 9 s", V, with([](TimingEntries& e) { e.onTime = "00:00:09"; }),
         fails("ON Time must be greater than 10 seconds!", "Time Error", F::OnTime)},
        {"on time equal to interval", V,
         with([](TimingEntries& e) { e.onTime = e.intervalTime = "00:05:00"; }), std::nullopt},
        {"on time one second over interval", T, with([](TimingEntries& e) {
             e.intervalTime = "00:05:00";
             e.onTime = "00:05:01";
         }),
         fails("ON Time must be less than Interval Time!", "Time Error", F::OnTime)},
        {"on longer than interval is reported before the minimum", V, with([](TimingEntries& e) {
             e.intervalTime = "00:00:05";
             e.onTime = "00:00:06";
         }),
         fails("ON Time must be less than Interval Time!", "Time Error", F::OnTime)},
        {"interval under 10 s with on under it", V, with([](TimingEntries& e) {
             e.intervalTime = "00:00:09";
             e.onTime = "00:00:05";
         }),
         fails("ON Time must be greater than 10 seconds!", "Time Error", F::OnTime)},
        {"one colon is enough", V, with([](TimingEntries& e) { e.intervalTime = "12-34:56"; }),
         std::nullopt},
        {"no colon at all", V, with([](TimingEntries& e) { e.intervalTime = "12-34-56"; }),
         fails(kIntervalFormat, "Time Error", F::IntervalTime)},
        {"99:99:99 counts without range check", V, with([](TimingEntries& e) {
             e.intervalTime = "99:99:99";
             e.onTime = "99:99:99"; // 99*3600 + 99*60 + 99 = 362439 s
             e.averageLength = "99:99";
         }),
         std::nullopt},
        {"characters after the eighth are not looked at", V,
         with([](TimingEntries& e) { e.intervalTime = "00:01:00 and more"; }), std::nullopt},
        {"a short time text fails without reading past it", V,
         with([](TimingEntries& e) { e.onTime = "00:00:3"; }),
         fails("On Time format error, (00:00:00)", "Time Error", F::OnTime)},
        {"Vexa reports both bad formats in one box", V, with([](TimingEntries& e) {
             e.intervalTime = "";
             e.onTime = "Not Set";
         }),
         fails("Interval Time format error, (00:00:00)\nOn Time format error, (00:00:00)",
               "Time Error", F::IntervalTime)},
        {"Tavrin reports a bad interval under its own caption", T, with([](TimingEntries& e) {
             e.intervalTime = "1:00:00";
             e.onTime = "x";
         }),
         fails(kIntervalFormat, "Interval Time Error", F::IntervalTime)},
        {"Tavrin reports a bad on time under its own caption", T,
         with([](TimingEntries& e) { e.onTime = "00:0a:30"; }),
         fails("ON Time format error, (00:00:00)", "ON Time Error", F::OnTime)},
        {"delayed time format", T, with([](TimingEntries& e) { e.delayedTime = "8:00:00"; }),
         fails("Delayed Time format error, (00:00:00)", "Delayed Time Error", F::DelayedTime)},
        {"delayed time is checked before the delayed date", V, with([](TimingEntries& e) {
             e.delayedTime = "";
             e.delayedDate = "";
         }),
         fails("Delayed Time format error, (00:00:00)", "Delayed Time Error", F::DelayedTime)},
        {"delayed date with one dash", V,
         with([](TimingEntries& e) { e.delayedDate = "01/01-1999"; }), std::nullopt},
        {"delayed date with a two-digit year", V,
         with([](TimingEntries& e) { e.delayedDate = "01-01-99"; }),
         fails("Delayed Date format error, (00-00-0000)", "Delayed Date Error", F::DelayedDate)},
        {"format errors come before the time limits", V, with([](TimingEntries& e) {
             e.onTime = "00:00:01";
             e.delayedDate = "Not Set";
         }),
         fails("Delayed Date format error, (00-00-0000)", "Delayed Date Error", F::DelayedDate)},
        {"average equal to on time", V, with([](TimingEntries& e) { e.averageLength = "00:30"; }),
         std::nullopt},
        {"average one second over on time", T,
         with([](TimingEntries& e) { e.averageLength = "00:31"; }),
         fails("Average Time cannot be greater than Instrument On Time.", "Average Time Error",
               F::AverageLength)},
        {"average minutes count sixty seconds", V, with([](TimingEntries& e) {
             e.onTime = "00:01:00";
             e.averageLength = "01:01";
         }),
         fails("Average Time cannot be greater than Instrument On Time.", "Average Time Error",
               F::AverageLength)},
        {"average seconds read every digit after the colon", V,
         with([](TimingEntries& e) { e.averageLength = "00:300"; }),
         fails("Average Time cannot be greater than Instrument On Time.", "Average Time Error",
               F::AverageLength)},
        {"average without its colon", V, with([](TimingEntries& e) { e.averageLength = "00-10"; }),
         fails("Average Time format error, (00:00)", "Average Time Error", F::AverageLength)},
        {"OFF is not an average", T, with([](TimingEntries& e) { e.averageLength = "OFF"; }),
         fails("Average Time format error, (00:00)", "Average Time Error", F::AverageLength)},
        {"average not looked at without averaging", T, with([](TimingEntries& e) {
             e.averageLength = "OFF";
             e.averagingAvailable = false;
         }),
         std::nullopt},
        {"the time limits come before the average", V, with([](TimingEntries& e) {
             e.intervalTime = "00:00:05";
             e.onTime = "00:00:05";
             e.averageLength = "";
         }),
         fails("ON Time must be greater than 10 seconds!", "Time Error", F::OnTime)},
        {"99:99:99 is one second more than 99:99:98", T, with([](TimingEntries& e) {
             e.intervalTime = "99:99:98";
             e.onTime = "99:99:99";
         }),
         fails("ON Time must be less than Interval Time!", "Time Error", F::OnTime)},
    };
}

} // namespace

TEST(ConfigValidation, FirstFailingRuleOrPass) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(validateTiming(c.family, c.entries), c.expected);
    }
}

TEST(ConfigValidation, SaveShowsTheFailureAndKeepsTheDialogOpen) {
    ScriptedOperator op;
    op.expectMessage("Delayed Date format error, (00-00-0000)", "Delayed Date Error", Icon::Stop);
    TimingEntries e = goodEntries();
    e.delayedDate = "1-1-1999";
    const auto result = confirmSave(ConfigFamily::Tavrin, e, op);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->field, ConfigField::DelayedDate);
}

TEST(ConfigValidation, DcQuestionIsAskedAgainAfterNo) {
    ScriptedOperator op;
    VexaSaveState state{.anyDcChannelOn = true};
    int dcSetupRuns = 0;
    const auto openDcSetup = [&] { ++dcSetupRuns; };
    TimingEntries bad = goodEntries();
    bad.onTime = "00:00:05";

    op.expectQuestion("Do you want to Configure the DC Channels?", "DC Channels", false)
        .expectMessage("ON Time must be greater than 10 seconds!", "Time Error", Icon::Stop)
        .expectQuestion("Do you want to Configure the DC Channels?", "DC Channels", false);
    EXPECT_TRUE(confirmSave(ConfigFamily::Vexa, bad, op, &state, openDcSetup));
    EXPECT_FALSE(confirmSave(ConfigFamily::Vexa, goodEntries(), op, &state, openDcSetup));
    EXPECT_EQ(dcSetupRuns, 0);
    EXPECT_FALSE(state.dcSetupOpened);

    // Yes opens the DC channel dialog once; later presses no longer ask.
    op.expectQuestion("Do you want to Configure the DC Channels?", "DC Channels", true)
        .expectMessage("ON Time must be greater than 10 seconds!", "Time Error", Icon::Stop);
    EXPECT_TRUE(confirmSave(ConfigFamily::Vexa, bad, op, &state, openDcSetup));
    EXPECT_FALSE(confirmSave(ConfigFamily::Vexa, goodEntries(), op, &state, openDcSetup));
    EXPECT_EQ(dcSetupRuns, 1);
    EXPECT_TRUE(op.done());
}

TEST(ConfigValidation, DcQuestionOnlyWithADcChannelOnAndTheDialogNotYetOpened) {
    EXPECT_TRUE(needsDcQuestion(true, false));
    EXPECT_FALSE(needsDcQuestion(false, false));
    EXPECT_FALSE(needsDcQuestion(true, true));

    // The Tavrin dialogs never ask it.
    ScriptedOperator op;
    VexaSaveState state{.anyDcChannelOn = true};
    EXPECT_FALSE(confirmSave(ConfigFamily::Tavrin, goodEntries(), op, &state));
}
