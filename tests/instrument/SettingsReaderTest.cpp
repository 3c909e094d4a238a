// Reading the instrument's settings into the records, the channel mask and the rate index.
#include "core/instrument/SettingsReader.h"

#include "tests/instrument/Harness.h"

#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

TEST(ReadSettings, AVexa3At9600Baud) {
    OpenHarness h(ProductCode::Vexa3);
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.line.log(), "     0 purge rx+tx\n"
                            "     0 > \"CH1\\r\" 20ms/char\n"
                            "   530 < 20 \"CH1\\r\\nCH1 on\\r\\n\"\n"
                            "   530 purge rx+tx\n"
                            "   530 > \"CH2\\r\" 20ms/char\n"
                            "  1060 < 20 \"CH2\\r\\nCH2 on\\r\\n\"\n"
                            "  1060 purge rx+tx\n"
                            "  1060 > \"CH3\\r\" 20ms/char\n"
                            "  1590 < 20 \"CH3\\r\\nCH3 on\\r\\n\"\n"
                            "  1590 purge rx+tx\n"
                            "  1590 > \"CH4\\r\" 20ms/char\n"
                            "  2120 < 20 \"CH4\\r\\nCH4 off\\r\\n\"\n"
                            "  2120 purge rx+tx\n"
                            "  2120 > \"CH5\\r\" 20ms/char\n"
                            "  2650 < 20 \"CH5\\r\\nCH5 off\\r\\n\"\n"
                            "  2650 purge rx+tx\n"
                            "  2650 > \"CH6\\r\" 20ms/char\n"
                            "  3180 < 20 \"CH6\\r\\nCH6 off\\r\\n\"\n"
                            "  3480 purge rx\n"
                            "  3480 purge rx+tx\n"
                            "  3480 > \"DC1\\r\" 20ms/char\n"
                            "  4010 < 20 \"DC1\\r\\nDC1 on\\r\\n\"\n"
                            "  4010 purge rx+tx\n"
                            "  4010 > \"DC2\\r\" 20ms/char\n"
                            "  4540 < 20 \"DC2\\r\\nDC2 off\\r\\n\"\n"
                            "  4540 purge rx+tx\n"
                            "  4540 > \"DC3\\r\" 20ms/char\n"
                            "  5070 < 20 \"DC3\\r\\nDC3 off\\r\\n\"\n"
                            "  5070 purge rx+tx\n"
                            "  5070 > \"DC4\\r\" 20ms/char\n"
                            "  5600 < 20 \"DC4\\r\\nDC4 off\\r\\n\"\n"
                            "  5600 purge rx+tx\n"
                            "  5600 > \"DC5\\r\" 20ms/char\n"
                            "  6130 < 20 \"DC5\\r\\nDC5 off\\r\\n\"\n"
                            "  6130 purge rx+tx\n"
                            "  6130 > \"DC6\\r\" 20ms/char\n"
                            "  6660 < 20 \"DC6\\r\\nDC6 off\\r\\n\"\n"
                            "  6660 purge rx+tx\n"
                            "  6660 > \"DC7\\r\" 20ms/char\n"
                            "  7190 < 20 \"DC7\\r\\nDC7 on\\r\\n\"\n"
                            "  7190 purge rx+tx\n"
                            "  7190 > \"DC8\\r\" 20ms/char\n"
                            "  7720 < 20 \"DC8\\r\\nDC8 off\\r\\n\"\n"
                            "  8020 purge rx\n"
                            "  8020 > \"ITIME\\r\" 20ms/char\n"
                            "  9340 < 100 \"ITIME\\r\\nInterval is 00:05:00\\r\\nNew? \"\n"
                            "  9340 > \"\\r\"\n"
                            "  9360 purge rx\n"
                            "  9360 > \"OTIME\\r\" 20ms/char\n"
                            " 10680 < 100 \"OTIME\\r\\nOn time is 00:00:30\\r\\nNew? \"\n"
                            " 10680 > \"\\r\"\n"
                            " 10700 purge rx\n"
                            " 10700 > \"DTIME\\r\" 20ms/char\n"
                            " 12020 < 100 \"DTIME\\r\\nDate is 12-24-2026\\r\\nNew date? \"\n"
                            " 12020 purge rx\n"
                            " 12020 > \"\\r\"\n"
                            " 13240 < 100 \"\\r\\nTime is 08:00:00\\r\\nNew time? \"\n"
                            " 13240 > \"\\r\"\n"
                            " 13260 purge rx\n"
                            " 13260 > \"RT\\r\" 20ms/char\n"
                            " 13770 < 50 \"RT\\r\\nTAU = 2\\r\\n>\"\n"
                            " 13770 > \"RSOT\\r\" 20ms/char\n"
                            " 14320 < 100 \"RSOT\\r\\nscaled output set\\r\\n>\"\n"
                            " 14320 > \"AVGI\\r\" 20ms/char\n"
                            " 15020 < 100 \"AVGI\\r\\nAVG = 00:10\\r\\nNew? \"\n"
                            " 15320 > \"\\r\"\n"
                            " 15320 > \"RCOP\\r\" 20ms/char\n"
                            " 16020 < 50 \"\\r\\n>RCOP\\r\\ncontinous clear\\r\\n>\"\n");
    EXPECT_EQ(h.clock.nowMs(), 16020);
    EXPECT_EQ(h.settings.channelMask, 0x1u | 0x2u | 0x4u | 0x100u | 0x4000u);
    EXPECT_EQ(h.settings.vexa.channel, (std::array<std::uint16_t, 6>{1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(h.settings.vexa.dcChannel, (std::array<std::uint16_t, 8>{1, 0, 0, 0, 0, 0, 1, 0}));
    for (const TavrinConfigData* tavrin : {static_cast<const TavrinConfigData*>(&h.settings.ct),
                                           static_cast<const TavrinConfigData*>(&h.settings.p)}) {
        EXPECT_EQ(tavrin->intervalTime, "00:05:00");
        EXPECT_EQ(tavrin->averageTime, "00:10");
        EXPECT_EQ(tavrin->channel, (std::array<std::uint16_t, 3>{})) << "not the model's record";
    }
    EXPECT_EQ(h.settings.vexa.intervalTime, "00:05:00");
    EXPECT_EQ(h.settings.vexa.onTime, "00:00:30");
    EXPECT_EQ(h.settings.vexa.delayedDate, "12-24-2026");
    EXPECT_EQ(h.settings.vexa.delayedTime, "08:00:00");
    EXPECT_EQ(h.settings.samplingRateIndex, 2);
    EXPECT_EQ(h.settings.vexa.samplingRate, (std::array<std::uint16_t, 5>{0, 0, 1, 0, 0}));
    EXPECT_EQ(h.settings.vexa.scaledOutput, 1);
    EXPECT_EQ(h.settings.vexa.averageLength, "00:10");
    EXPECT_EQ(h.settings.vexa.continuousOutput, 0);
    EXPECT_EQ(h.op.progress.front(), "show");
    EXPECT_EQ(h.op.progress.back(), "close");
    EXPECT_FALSE(h.op.waitCursor);
}

TEST(ReadSettings, AVexa2IsNeverAskedDc7OrDc8) {
    OpenHarness h(ProductCode::Vexa2);
    h.settings.vexa.dcChannel[6] = 1;
    ReadSettings(h.layer, h.record, h.settings);
    const auto& lines = h.line.lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "DC6"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "DC7"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "DC8"), lines.end());
    EXPECT_EQ(h.settings.vexa.dcChannel[6], 1) << "an unasked flag keeps its value";
    EXPECT_EQ(h.settings.channelMask & 0xC000u, 0u);
}

TEST(ReadSettings, ATavrinCTIsAskedThreeChannelsAndNeverTheSamplingRate) {
    OpenHarness h(ProductCode::TavrinCT, false);
    h.settings.samplingRateIndex = 4;
    h.instrument.channelsOn = {"CH1", "CH3"};
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.line.lines(), (std::vector<std::string>{"CH1", "CH2", "CH3", "ITIME", "", "OTIME",
                                                        "", "DTIME", "", "", "RSOT", "RCOP"}));
    EXPECT_EQ(h.settings.channelMask, 0x5u);
    EXPECT_EQ(h.settings.ct.channel, (std::array<std::uint16_t, 3>{1, 0, 1}));
    EXPECT_EQ(h.settings.samplingRateIndex, 4);
}

TEST(ReadSettings, UnansweredQueriesAreSkippedAndKeepTheirValues) {
    OpenHarness h(ProductCode::TavrinP);
    h.settings.p.channel = {1, 1, 0};
    h.line.setEcho(false);
    h.line.respond(nullptr);
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0u) << "a silent instrument's mask stays 0";
    EXPECT_EQ(h.settings.p.channel, (std::array<std::uint16_t, 3>{1, 1, 0}));
    EXPECT_EQ(h.settings.vexa.intervalTime, "00:01:00");
    EXPECT_EQ(h.settings.vexa.continuousOutput, 0);
}

TEST(ReadSettings, NotSetAndBadAnswersOfTheTimingQueries) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> answers;
        const char* error; // nullptr: no message
        const char* intervalTime;
        const char* delayedDate;
    };
    const std::vector<Case> cases = {
        {"not set",
         {{"ITIME", "\nNO interval\r\n"}, {"DTIME", "\nNO delayed start"}},
         nullptr,
         "Not Set",
         "Not Set"},
        {"no marker word",
         {{"ITIME", "\ninterval 00:05:00\r\n"}},
         "Error reading Interval Time!",
         "00:01:00",
         "01-01-1999"},
        {"cut short",
         {{"ITIME", "\nInterval is 00:0"}},
         "Error reading Interval Time!",
         "00:01:00",
         "01-01-1999"},
        {"marker at the very end",
         {{"DTIME", "\nDate is "}},
         "Error reading Delayed Start Date!",
         "00:01:00",
         "01-01-1999"},
        {"binary noise",
         {{"DTIME", std::string("\xff\x00\x13is", 5)}},
         "Error reading Delayed Start Date!",
         "00:01:00",
         "01-01-1999"},
        {"longer than the limit",
         {{"ITIME", "\nInterval is 00:07:00" + std::string(200, 'x')}},
         nullptr,
         "00:07:00",
         "01-01-1999"},
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
        h.answerFirst({{"RT", c.answer}});
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
    h.line.respond(nullptr);
    h.op.expectMessage(std::string(kRunToOpenFailed), "Open Mode Timeout error", Icon::Stop);
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0x7u);
    EXPECT_TRUE(h.op.progress.empty());
}

TEST(ReadClock, FailuresAreReportedAndKeepTheEarlierText) {
    Harness h;
    ReadClock(h.layer, h.settings);
    EXPECT_EQ(h.settings.instrumentTime, "12:34:56");
    EXPECT_EQ(h.settings.instrumentDate, "12-06-2026");

    h.line.answer({{"TIME", "\nTime is "}});
    h.op.expectMessage("ERROR - Reading Instrument Time", "Communication Error", Icon::Stop);
    h.op.expectMessage("ERROR - Reading Instrument Date", "Communication Error", Icon::Stop);
    ReadClock(h.layer, h.settings);
    EXPECT_EQ(h.settings.instrumentTime, "12:34:56");
    EXPECT_EQ(h.settings.instrumentDate, "12-06-2026");
}

} // namespace
} // namespace halcyx::test
