// Reading the instrument's settings into the records, the channel mask and the rate index.
#include "core/instrument/SettingsReader.h"

#include "tests/instrument/Harness.h"

#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

TEST(ReadSettings, AVexa2IsNeverAskedDc7OrDc8) {
    OpenRig h(ProductCode::Vexa2);
    h.settings.vexa.dcChannel[6] = 1;
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_NE(h.received().find("DC6"), std::string::npos);
    for (const char* dc : {"DC7", "DC8"})
        EXPECT_EQ(h.received().find(dc), std::string::npos) << dc;
    EXPECT_EQ(h.settings.vexa.dcChannel[6], 1) << "an unasked flag keeps its value";
    EXPECT_EQ(h.settings.channelMask & 0xC000u, 0u);
}

TEST(ReadSettings, UnansweredQueriesAreSkippedAndKeepTheirValues) {
    OpenHarness h(ProductCode::TavrinP);
    h.settings.p.channel = {1, 1, 0};
    h.line.setEcho(false);
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0u) << "a silent instrument's mask stays 0";
    EXPECT_EQ(h.settings.p.channel, (std::array<std::uint16_t, 3>{1, 1, 0}));
    EXPECT_EQ(h.settings.vexa.intervalTime, "00:01:00");
    EXPECT_EQ(h.settings.vexa.continuousOutput, 0);
}

TEST(ReadSettings, NotSetAndBadAnswersOfTheTimingQueries) {
    constexpr const char* kInterval = "Error reading Interval Time!";
    constexpr const char* kDate = "Error reading Delayed Start Date!";
    struct Case {
        const char* what;
        std::map<std::string, std::string> answers;
        const char* error; // nullptr: no message
        const char* intervalTime = "00:01:00";
        const char* delayedDate = "01-01-1999";
    };
    const std::vector<Case> cases = {
        {"not set",
         {{"ITIME", "\nNO interval\r\n"}, {"DTIME", "\nNO delayed start"}},
         nullptr,
         "Not Set",
         "Not Set"},
        {"no marker word", {{"ITIME", "\ninterval 00:05:00\r\n"}}, kInterval},
        {"cut short", {{"ITIME", "\nInterval is 00:0"}}, kInterval},
        {"marker at the very end", {{"DTIME", "\nDate is "}}, kDate},
        {"binary noise", {{"DTIME", std::string("\xff\x00\x13is", 5)}}, kDate},
        {"longer than the limit",
         {{"ITIME", "\nInterval is 00:07:00" + std::string(200, 'x')}},
         nullptr,
         "00:07:00"},
    };
    for (const Case& c : cases) {
        OpenHarness h(ProductCode::Vexa3, false);
        h.line.setEcho(false);
        h.line.answer(c.answers);
        if (c.error)
            h.op.expectMessage(c.error, "COM Read Error", Icon::Stop);
        ReadSettings(h.layer, h.record, h.settings);
        EXPECT_EQ(h.settings.vexa.intervalTime, c.intervalTime) << c.what;
        EXPECT_EQ(h.settings.ct.delayedDate, c.delayedDate) << c.what;
    }
}

TEST(ReadSettings, SamplingRateAnswers) {
    struct Case {
        std::string answer;
        int index;
        std::array<std::uint16_t, 5> flags;
        bool error;
    };
    const std::vector<Case> cases = {
        {"\nTAU = 4\r\n", 4, {0, 0, 0, 0, 1}, false}, {"\nTAU =0", 0, {1, 0, 0, 0, 0}, false},
        {"\nTAU = 7\r\n", 7, {0, 0, 0, 0, 0}, false}, {"\nRATE 3\r\n", 1, {0, 1, 0, 0, 0}, true},
        {"\nTAU =", 1, {0, 1, 0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        OpenHarness h(ProductCode::Vexa3, false);
        h.settings.samplingRateIndex = 1;
        h.settings.vexa.samplingRate = {0, 1, 0, 0, 0};
        h.line.setEcho(false);
        h.line.answer({{"RT", c.answer}});
        if (c.error)
            h.op.expectMessage("Error reading Sampling Rate!", "COM Read Error", Icon::Stop);
        ReadSettings(h.layer, h.record, h.settings);
        EXPECT_EQ(h.settings.samplingRateIndex, c.index) << c.answer;
        EXPECT_EQ(h.settings.vexa.samplingRate, c.flags) << c.answer;
    }
}

TEST(ReadSettings, GivesUpWhenOpenModeCannotBeReached) {
    Harness h;
    h.settings.channelMask = 0x7;
    h.line.setEcho(false);
    h.op.expectMessage(std::string(kRunToOpenFailed), "Open Mode Timeout error", Icon::Stop);
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0x7u);
    EXPECT_TRUE(h.op.progress.empty());
}

TEST(ReadClock, FailuresAreReportedAndKeepTheEarlierText) {
    Harness h;
    h.settings.instrumentTime = "12:34:56";
    h.settings.instrumentDate = "12-06-2026";
    h.line.answer({{"TIME", "\nTime is "}});
    h.op.expectMessage("ERROR - Reading Instrument Time", "Communication Error", Icon::Stop);
    h.op.expectMessage("ERROR - Reading Instrument Date", "Communication Error", Icon::Stop);
    ReadClock(h.layer, h.settings);
    EXPECT_EQ(h.settings.instrumentTime, "12:34:56");
    EXPECT_EQ(h.settings.instrumentDate, "12-06-2026");
}

} // namespace
} // namespace halcyx::test
