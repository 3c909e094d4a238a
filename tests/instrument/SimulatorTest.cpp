// The configuration sequences end to end against the simulated instruments, whose answers
// take the time they need to cross the line at the port's baud rate.
#include "core/instrument/SettingsReader.h"
#include "core/instrument/SettingsWriter.h"
#include "tests/instrument/Harness.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace halcyx::test {
namespace {

// A Vexa 3 with some auxiliary channels on, at the given rate [bit/s].
AdjustConfig vexa3(std::uint32_t baud = SimRig::kBaud) {
    return [baud](sim::Instrument::Config& config) {
        config.identity = {"1634M", "2.10", "10OCT97", 1};
        config.baud = baud;
        config.settings.dcChannels = {true, false, false, false, false, false, false, true};
        config.settings.intervalTime = "00:05:00";
        config.settings.tau = 3;
    };
}

TEST(Simulator, AVexa3IsDetectedReadAndWrittenAt9600Baud) {
    SimRig h(ProductCode::Vexa3, vexa3());
    ASSERT_TRUE(h.detector.Detect());
    EXPECT_EQ(h.received(), "0 < ***O\\r\n"
                            "400 < \\r\n"
                            "1120 < S/N\\r\n"
                            "2100 < ADR\\r\n"
                            "2780 < CAOP\\r\n"
                            "3180 < VER\\r\n"
                            "4160 < SMP=OFF\\r\n"
                            "4620 < CDATE\\r\n");
    EXPECT_EQ(h.clock.nowMs(), 5340);
    EXPECT_EQ(h.op.progress,
              (std::vector<std::string>{"show", "1:Looking for Instrument on COM1...", "2:***O",
                                        "1:Get Instrument Serial Number", "2:S/N",
                                        "1:Reading Instrument Address...", "2:ADR", "2:Address = 1",
                                        "1:Get Instrument Firmware Version", "2:VER",
                                        "1:Turning OFF Auto Sampler command", "2:SMP=OFF",
                                        "1:Get Instrument Calibration Date", "2:CDATE", "close"}));
    const InstrumentRecord& r = h.record;
    EXPECT_EQ(std::tie(r.model, r.serialNumber, r.firmware, r.calDate, r.averaging),
              std::make_tuple("Vexa 3", "1634M", "2.10", "10OCT97", true));

    const std::int64_t readStart = h.clock.nowMs();
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.clock.nowMs() - readStart, 16020);
    const InstrumentSettings& s = h.settings;
    EXPECT_EQ(s.channelMask, 0x37u | 0x100u | 0x8000u);
    EXPECT_EQ(s.vexa.channel, (std::array<std::uint16_t, 6>{1, 1, 1, 0, 1, 1}));
    EXPECT_EQ(s.vexa.dcChannel, (std::array<std::uint16_t, 8>{1, 0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(s.ct.channel, (std::array<std::uint16_t, 3>{})) << "not the model's record";
    // The timing texts are shared by the three models' records.
    EXPECT_EQ(std::tie(s.p.intervalTime, s.vexa.onTime, s.ct.delayedDate, s.p.delayedTime),
              std::make_tuple("00:05:00", "00:00:30", "01-01-1999", "08:00:00"));
    EXPECT_EQ(s.samplingRateIndex, 3);
    EXPECT_EQ(s.vexa.samplingRate, (std::array<std::uint16_t, 5>{0, 0, 0, 1, 0}));
    EXPECT_EQ(std::tie(s.vexa.averageLength, s.vexa.continuousOutput), std::make_tuple("00:10", 0));
    EXPECT_EQ(h.op.progress.back(), "close");
    EXPECT_FALSE(h.op.waitCursor);

    h.settings.vexa.dcChannel[1] = 1;
    h.settings.vexa.onTime = "00:00:45";
    h.settings.samplingRateIndex = 1;
    h.settings.vexa.continuousOutput = 1;
    WriteSettings(h.layer, h.record, h.settings);
    const sim::InstrumentSettings& stored = h.instrument().storedSettings();
    EXPECT_EQ(stored.dcChannels,
              (std::array<bool, 8>{true, true, false, false, false, false, false, true}));
    EXPECT_EQ(stored.onTime, "00:00:45");
    EXPECT_EQ(stored.tau, 1);
    EXPECT_TRUE(stored.continuousOnPowerUp);
    EXPECT_EQ(h.settings.channelMask, 0x37u | 0x100u | 0x200u | 0x8000u);
}

TEST(Simulator, ATavrinCTIsNeverAskedForTheSamplingRate) {
    SimRig h(ProductCode::TavrinCT, [](auto& config) {
        config.identity = {"F0123", "V1.70", "05MAR25", 3};
        config.settings.channels = {true, true, false, false, false, false};
    });

    ASSERT_TRUE(h.detector.Detect());
    EXPECT_EQ(h.record.product, ProductCode::TavrinCT);
    EXPECT_EQ(std::tie(h.record.address, h.record.averaging, h.record.scaledMemory),
              std::make_tuple(3, true, false));
    EXPECT_EQ(h.received().find("SMP=OFF"), std::string::npos);
    h.device.traffic().clear();
    h.settings.samplingRateIndex = 4;
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.channelMask, 0x3u);
    EXPECT_EQ(h.received().find("RT"), std::string::npos);
    EXPECT_EQ(h.settings.samplingRateIndex, 4);

    h.settings.ct.channel[2] = 1;
    h.settings.ct.averageTime = "00:20";
    WriteSettings(h.layer, h.record, h.settings);
    const sim::InstrumentSettings& stored = h.instrument().storedSettings();
    EXPECT_EQ(std::tie(stored.channels[2], stored.averageLength), std::make_tuple(true, "00:20"));
    EXPECT_EQ(h.settings.channelMask, 0x7u);
}

TEST(Simulator, A300BaudVexa3AnswersWithinTheSlowPauses) {
    SimRig h(ProductCode::Vexa3, vexa3(300), 300);
    ASSERT_TRUE(h.detector.Detect());
    EXPECT_EQ(h.clock.nowMs(), 26300);
    EXPECT_EQ(std::tie(h.record.serialNumber, h.record.calDate),
              std::make_tuple("1634M", "10OCT97"));
    ReadSettings(h.layer, h.record, h.settings);
    EXPECT_EQ(h.settings.samplingRateIndex, 3);
    EXPECT_EQ(h.settings.vexa.intervalTime, "00:05:00");
}

TEST(Simulator, AnInstrumentStreamingAtPowerUpIsStoppedAndFound) {
    SimRig h(ProductCode::Vexa3, [](auto& config) {
        vexa3()(config);
        config.faults.streamingAtPowerUp = true;
    });
    ASSERT_TRUE(h.detector.Detect());
    EXPECT_EQ(h.record.product, ProductCode::Vexa3);
    EXPECT_FALSE(h.instrument().streaming());
    EXPECT_EQ(h.op.progress[3], "1:Stopping Set Continuous mode...");
}

TEST(Simulator, AnAddressModeInstrumentIsFoundByItsProbe) {
    SimRig h(ProductCode::Vexa3, [](auto& config) {
        vexa3()(config);
        config.faults.addressMode = true;
        config.identity.address = 2;
    });
    h.op.expectQuestion(kNoResponseQuestion, "No Instrument", true);
    ASSERT_TRUE(h.detector.Detect());
    EXPECT_NE(std::ranges::find(h.op.progress, "2:Instrument found at #M2"), h.op.progress.end())
        << "the other addresses stay quiet";
    EXPECT_FALSE(h.instrument().inAddressMode());
    EXPECT_EQ(h.record.serialNumber, "1634M");
}

TEST(Simulator, NoiseAtAWrongBaudRateNeverPassesForAnInstrument) {
    SimRig h(ProductCode::Vexa3, vexa3(4800));
    h.op.expectQuestion(kNoResponseQuestion, "No Instrument", false);
    EXPECT_FALSE(h.detector.Detect());
    EXPECT_EQ(h.record.product, ProductCode::None);
}

} // namespace
} // namespace halcyx::test
