// Writing the settings to the instrument: the command sequence, its stops and the channel mask.
#include "core/instrument/SettingsWriter.h"

#include "tests/instrument/Harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>

namespace halcyx::test {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;

// An open instrument with a record that switches channels on and off in both groups.
struct WriteRig : OpenRig {
    explicit WriteRig(ProductCode product, const AdjustConfig& adjust = {})
        : OpenRig(product, adjust) {
        settings.vexa.channel = {1, 1, 1, 1, 0, 0};
        settings.vexa.dcChannel = {0, 1, 0, 0, 0, 0, 1, 1};
        settings.samplingRateIndex = 2;
        settings.vexa.averageLength = "00:20";
        settings.vexa.scaledOutput = 1;
    }
    const sim::InstrumentSettings& stored() { return instrument().storedSettings(); }
};

TEST(WriteSettings, AVexa3SendsEverySettingAndStoresThem) {
    WriteRig h(ProductCode::Vexa3);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0xFu | 0x200u | 0x4000u | 0x8000u);
    const sim::InstrumentSettings& s = h.stored();
    EXPECT_EQ(s.channels, (std::array<bool, 6>{true, true, true, true, false, false}));
    EXPECT_EQ(s.dcChannels,
              (std::array<bool, 8>{false, true, false, false, false, false, true, true}));
    EXPECT_EQ(std::tie(s.tau, s.averageLength, s.scaledOutput), std::make_tuple(2, "00:20", true));
    // A value follows its command word as a checked command of its own, so it ends with two
    // carriage returns.
    EXPECT_THAT(h.received(), HasSubstr("< 00:01:00\\r\\r\n"));
    EXPECT_EQ(h.clock.nowMs(), 20840);
    EXPECT_EQ(h.op.progress.back(), "close");
}

TEST(WriteSettings, AVexa2SendsOnlySixDcChannelsAndNoAveraging) {
    WriteRig h(ProductCode::Vexa2);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_THAT(h.received(), AllOf(HasSubstr("DC6=OFF"), Not(HasSubstr("DC7")),
                                    Not(HasSubstr("DC8")), Not(HasSubstr("AVGI"))));
    EXPECT_EQ(h.settings.channelMask, 0xFu | 0x200u);
}

TEST(WriteSettings, ATavrinPSendsThreeChannelsNoRateAndItsOwnTitles) {
    WriteRig h(ProductCode::TavrinP);
    h.settings.p.channel = {1, 0, 1};
    h.settings.p.intervalTime = "00:02:00";
    h.settings.p.averageTime = "00:05";
    h.settings.p.continuousOutput = 1;
    WriteSettings(h.layer, h.record, h.settings);
    const sim::InstrumentSettings& s = h.stored();
    EXPECT_EQ(s.channels, (std::array<bool, 6>{true, false, true, false, false, false}));
    EXPECT_EQ(std::tie(s.intervalTime, s.averageLength, s.continuousOnPowerUp, s.scaledOutput),
              std::make_tuple("00:02:00", "00:05", true, false));
    EXPECT_THAT(h.received(), Not(HasSubstr("ST=")));
    EXPECT_EQ(h.settings.channelMask, 0x5u);
    // The values the instrument asks for show without the return that ends them.
    for (const char* line : {"1:Setting Avgering Time...", "1:Setting continuous on power up...",
                             "2:00:02:00", "2:00:05"})
        EXPECT_THAT(h.op.progress, Contains(line));
    for (const std::string& line : h.op.progress)
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
}

TEST(WriteSettings, ABadCommandStopsTheSequenceAndLeavesNoPartialChannelMask) {
    WriteRig h(ProductCode::Vexa3, [](auto& c) { c.faults.refused = {"CH3"}; });
    h.settings.channelMask = 0x3F;
    h.op.expectMessage("Error using Command = CH3=ON\r\nBAD COMMAND\r\n", "Command Error",
                       Icon::Stop);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_THAT(h.received(), EndsWith("< CH3=ON\\r\n")) << "nothing is sent after the refusal";
    EXPECT_EQ(h.instrument().settings().channels[1], true);
    // The instrument's channels are now partly old and partly new: the mask says
    // "unknown" so that they are read back before acquisition.
    EXPECT_EQ(h.settings.channelMask, 0u);
    EXPECT_EQ(h.op.progress.back(), "close");
}

TEST(WriteSettings, ARefusalAfterTheChannelsKeepsTheirMask) {
    WriteRig h(ProductCode::Vexa3, [](auto& c) { c.faults.refused = {"ST"}; });
    h.op.expectMessage("Error using Command = ST=2\r\nBAD COMMAND\r\n", "Command Error",
                       Icon::Stop);
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0xFu | 0x200u | 0x4000u | 0x8000u);
    EXPECT_EQ(h.instrument().settings().delayedTime, "08:00:00");
    EXPECT_THAT(h.received(), Not(HasSubstr("***E")));
}

TEST(WriteSettings, AnUnansweredCommandStopsQuietly) {
    WriteRig h(ProductCode::TavrinCT, [](auto& c) { c.faults.silent = true; });
    WriteSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.received(), "0 < CH1=OFF\\r\n");
}

} // namespace
} // namespace halcyx::test
