// Writing the settings to the instrument: the command sequence, its stops and the channel mask.
#include "instrument/SettingsWriter.h"

#include "Harness.h"

#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

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
    EXPECT_EQ(h.line.log(), "     0 purge rx\n"
                            "     0 > \"CH1=ON\\r\" 30ms/char\n"
                            "   810 < 80 \"CH1=ON\\r\\nOK\\r\\n>\"\n"
                            "   810 purge rx\n"
                            "   810 > \"CH2=ON\\r\" 30ms/char\n"
                            "  1620 < 80 \"CH2=ON\\r\\nOK\\r\\n>\"\n"
                            "  1620 purge rx\n"
                            "  1620 > \"CH3=ON\\r\" 30ms/char\n"
                            "  2430 < 80 \"CH3=ON\\r\\nOK\\r\\n>\"\n"
                            "  2430 purge rx\n"
                            "  2430 > \"CH4=ON\\r\" 30ms/char\n"
                            "  3240 < 80 \"CH4=ON\\r\\nOK\\r\\n>\"\n"
                            "  3240 purge rx\n"
                            "  3240 > \"CH5=OFF\\r\" 30ms/char\n"
                            "  4080 < 80 \"CH5=OFF\\r\\nOK\\r\\n>\"\n"
                            "  4080 purge rx\n"
                            "  4080 > \"CH6=OFF\\r\" 30ms/char\n"
                            "  4920 < 80 \"CH6=OFF\\r\\nOK\\r\\n>\"\n"
                            "  4920 purge rx\n"
                            "  4920 > \"DC1=OFF\\r\" 30ms/char\n"
                            "  5760 < 80 \"DC1=OFF\\r\\nOK\\r\\n>\"\n"
                            "  5760 purge rx\n"
                            "  5760 > \"DC2=ON\\r\" 30ms/char\n"
                            "  6570 < 80 \"DC2=ON\\r\\nOK\\r\\n>\"\n"
                            "  6570 purge rx\n"
                            "  6570 > \"DC3=OFF\\r\" 30ms/char\n"
                            "  7410 < 80 \"DC3=OFF\\r\\nOK\\r\\n>\"\n"
                            "  7410 purge rx\n"
                            "  7410 > \"DC4=OFF\\r\" 30ms/char\n"
                            "  8250 < 80 \"DC4=OFF\\r\\nOK\\r\\n>\"\n"
                            "  8250 purge rx\n"
                            "  8250 > \"DC5=OFF\\r\" 30ms/char\n"
                            "  9090 < 80 \"DC5=OFF\\r\\nOK\\r\\n>\"\n"
                            "  9090 purge rx\n"
                            "  9090 > \"DC6=OFF\\r\" 30ms/char\n"
                            "  9930 < 80 \"DC6=OFF\\r\\nOK\\r\\n>\"\n"
                            "  9930 purge rx\n"
                            "  9930 > \"DC7=ON\\r\" 30ms/char\n"
                            " 10740 < 80 \"DC7=ON\\r\\nOK\\r\\n>\"\n"
                            " 10740 purge rx\n"
                            " 10740 > \"DC8=ON\\r\" 30ms/char\n"
                            " 11550 < 80 \"DC8=ON\\r\\nOK\\r\\n>\"\n"
                            " 11550 > \"ITIME\\r\" 20ms/char\n"
                            " 11970 purge rx\n"
                            " 11970 purge rx\n"
                            " 11970 > \"00:01:00\\r\\r\" 30ms/char\n"
                            " 12870 < 80 \"00:01:00\\r\\nOK\\r\\n>\\r\\nOpen\\r\\n>\"\n"
                            " 12870 > \"OTIME\\r\" 20ms/char\n"
                            " 13290 purge rx\n"
                            " 13290 purge rx\n"
                            " 13290 > \"00:00:30\\r\\r\" 30ms/char\n"
                            " 14190 < 80 \"00:00:30\\r\\nOK\\r\\n>\\r\\nOpen\\r\\n>\"\n"
                            " 14190 > \"DTIME\\r\" 20ms/char\n"
                            " 14910 purge rx\n"
                            " 14910 > \"01-01-1999\\r\" 20ms/char\n"
                            " 15730 purge rx\n"
                            " 15730 purge rx\n"
                            " 15730 > \"08:00:00\\r\\r\" 30ms/char\n"
                            " 16630 < 80 \"08:00:00\\r\\nOK\\r\\n>\\r\\nOpen\\r\\n>\"\n"
                            " 16630 purge rx\n"
                            " 16630 > \"ST=4\\r\" 30ms/char\n"
                            " 17380 < 80 \"ST=4\\r\\nOK\\r\\n>\"\n"
                            " 17380 > \"AVGI\\r\" 20ms/char\n"
                            " 17780 purge rx\n"
                            " 17780 purge rx\n"
                            " 17780 > \"00:20\\r\\r\" 30ms/char\n"
                            " 18590 < 80 \"00:20\\r\\nOK\\r\\n>\\r\\nOpen\\r\\n>\"\n"
                            " 18590 purge rx\n"
                            " 18590 > \"SSOT\\r\" 30ms/char\n"
                            " 19340 < 80 \"SSOT\\r\\nOK\\r\\n>\"\n"
                            " 19340 purge rx\n"
                            " 19340 > \"CCOP\\r\" 30ms/char\n"
                            " 20090 < 80 \"CCOP\\r\\nOK\\r\\n>\"\n"
                            " 20090 purge rx\n"
                            " 20090 > \"***E\\r\" 30ms/char\n"
                            " 20840 < 80 \"***E\\r\\nOK\\r\\n>\"\n");
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

TEST(WriteSettings, NeedsOpenMode) {
    Harness h;
    h.record.product = ProductCode::Vexa3;
    h.line.setEcho(false);
    h.line.respond(nullptr);
    h.op.expectMessage(std::string(kNotInOpenMode), "Open Mode Timeout error", Icon::Stop);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(std::count(h.line.lines().begin(), h.line.lines().end(), "***O"), 10);
}

} // namespace
} // namespace halcyx::test
