// Writing the settings to the instrument: the command sequence, its stops and the channel mask.
#include "core/instrument/SettingsWriter.h"

#include "tests/instrument/Harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

using ::testing::HasSubstr;

// An open instrument with a record that switches channels on and off in both groups.
struct WriteHarness : OpenHarness {
    explicit WriteHarness(ProductCode product, bool averaging = true)
        : OpenHarness(product, averaging) {
        settings.vexa.channel = {1, 1, 1, 1, 0, 0};
        settings.vexa.dcChannel = {0, 1, 0, 0, 0, 0, 1, 1};
        settings.samplingRateIndex = 4;
        settings.vexa.averageLength = "00:20";
        settings.vexa.scaledOutput = 1;
    }
};

TEST(WriteSettings, AVexa3SendsEverySettingAndStoresThem) {
    WriteHarness h(ProductCode::Vexa3);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0xFu | 0x200u | 0x4000u | 0x8000u);
    // Channels are checked commands at 30 ms per character; a value follows its command
    // word as a checked command of its own, so it ends with two carriage returns.
    const std::string log = h.line.log();
    EXPECT_THAT(log, HasSubstr("     0 purge rx\n"
                               "     0 > \"CH1=ON\\r\" 30ms/char\n"
                               "   810 < 80 \"CH1=ON\\r\\nOK\\r\\n>\"\n"));
    EXPECT_THAT(log, HasSubstr(" 11550 > \"ITIME\\r\" 20ms/char\n"
                               " 11970 purge rx\n"
                               " 11970 purge rx\n"
                               " 11970 > \"00:01:00\\r\\r\" 30ms/char\n"));
    EXPECT_THAT(log, HasSubstr(" 14190 > \"DTIME\\r\" 20ms/char\n"
                               " 14910 purge rx\n"
                               " 14910 > \"01-01-1999\\r\" 20ms/char\n"
                               " 15730 purge rx\n"
                               " 15730 purge rx\n"
                               " 15730 > \"08:00:00\\r\\r\" 30ms/char\n"));
    EXPECT_EQ(h.instrument.accepted.back(), "***E");
    EXPECT_EQ(h.clock.nowMs(), 20840);
    EXPECT_EQ(h.op.progress.back(), "close");
}

TEST(WriteSettings, AVexa2SendsOnlySixDcChannels) {
    WriteHarness h(ProductCode::Vexa2, false);
    WriteSettings(h.layer, h.record, h.settings);
    const auto& sent = h.instrument.accepted;
    EXPECT_NE(std::find(sent.begin(), sent.end(), "DC6=OFF"), sent.end());
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& c) {
                                return c.rfind("DC7", 0) == 0 || c.rfind("DC8", 0) == 0;
                            }),
              0);
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& c) { return c.rfind("AVGI", 0) == 0; }),
              0)
        << "no averaging exchange without the capability";
    EXPECT_EQ(h.settings.channelMask, 0xFu | 0x200u);
}

TEST(WriteSettings, ATavrinPSendsThreeChannelsNoRateAndItsOwnTitles) {
    WriteHarness h(ProductCode::TavrinP);
    h.settings.p.channel = {1, 0, 1};
    h.settings.p.intervalTime = "00:02:00";
    h.settings.p.averageTime = "00:05";
    h.settings.p.continuousOutput = 1;
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.instrument.accepted,
              (std::vector<std::string>{"CH1=ON", "CH2=OFF", "CH3=ON", "ITIME 00:02:00",
                                        "AVGI 00:05", "CSOT", "SCOP", "***E"}));
    EXPECT_EQ(h.settings.channelMask, 0x5u);
    const auto& progress = h.op.progress;
    EXPECT_NE(std::find(progress.begin(), progress.end(), "1:Setting Avgering Time..."),
              progress.end());
    EXPECT_NE(std::find(progress.begin(), progress.end(), "1:Setting continuous on power up..."),
              progress.end());
    // The values the instrument asks for show without the return that ends them.
    for (const char* detail : {"2:00:02:00", "2:00:05"})
        EXPECT_NE(std::find(progress.begin(), progress.end(), detail), progress.end()) << detail;
    for (const std::string& line : progress)
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
}

TEST(WriteSettings, ABadCommandStopsTheSequenceAndLeavesNoPartialChannelMask) {
    WriteHarness h(ProductCode::Vexa3);
    h.settings.channelMask = 0x3F;
    h.instrument.refused = {"CH3=ON"};
    h.op.expectMessage("Error using Command = CH3=ON\r\nBAD COMMAND\r\n>", "Command Error",
                       Icon::Stop);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.instrument.accepted, (std::vector<std::string>{"CH1=ON", "CH2=ON"}));
    EXPECT_EQ(h.line.lines().back(), "CH3=ON") << "nothing is sent after the refusal";
    // The instrument's channels are now partly old and partly new: the mask says
    // "unknown" so that they are read back before acquisition.
    EXPECT_EQ(h.settings.channelMask, 0u);
    EXPECT_EQ(h.op.progress.back(), "close");
}

TEST(WriteSettings, ARefusalAfterTheChannelsKeepsTheirMask) {
    WriteHarness h(ProductCode::Vexa3);
    h.instrument.refused = {"ST=4"};
    h.op.expectMessage("Error using Command = ST=4\r\nBAD COMMAND\r\n>", "Command Error",
                       Icon::Stop);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0xFu | 0x200u | 0x4000u | 0x8000u);
    EXPECT_EQ(h.instrument.accepted.back(), "DTIME-time 08:00:00");
}

TEST(WriteSettings, AnUnansweredCommandStopsQuietly) {
    WriteHarness h(ProductCode::TavrinCT);
    h.line.setEcho(false);
    h.line.respond(nullptr);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.line.lines(), (std::vector<std::string>{"CH1=OFF"}));
}

} // namespace
} // namespace halcyx::test
