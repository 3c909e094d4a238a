// The live scan lines of each model (fields by channel mask, equal lengths), the sampler exchange
// in the middle of a cast, the sensor modules, and the GPS receiver's sentences (framing,
// checksums, the track).

#include "sim/GpsReceiver.h"
#include "sim/ModuleModel.h"
#include "sim/TavrinModel.h"
#include "sim/VexaModel.h"
#include "tests/support/SimRig.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace halcyx::sim::test {
namespace {

using halcyx::test::lines;
using halcyx::test::SimRig;

std::vector<double> fields(const std::string& line) {
    std::vector<double> out;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        out.push_back(std::atof(field.c_str()));
    }
    return out;
}

constexpr std::uint32_t kReadTickMs = 250;

// Streams for the given time after "***R" and "SC" and returns the complete scan lines.
std::vector<std::string> stream(std::unique_ptr<Instrument> instrument, std::uint32_t ms) {
    SimRig rig(std::move(instrument));
    rig.ask("***R");
    rig.ask("SC", 0, 0);
    std::string received;
    for (std::uint32_t waited = 0; waited < ms; waited += kReadTickMs) {
        rig.sleep(kReadTickMs);
        received += rig.read();
    }
    std::vector<std::string> scans = lines(received);
    scans.erase(scans.begin()); // the end of the "SC" answer
    return scans;
}

TEST(ScanStream, VexaLinesCarryTheMaskedFieldsAtEqualLengthThroughACast) {
    struct Case {
        std::array<bool, 6> channels;
        std::array<bool, 8> dc;
        std::size_t fieldCount;
    };
    for (const Case& c : {Case{{true, true, true, false, true, true}, {}, 5},
                          Case{{true, true, true, true, true, true}, {true, false, true}, 8},
                          Case{{false, false, true, false, false, false}, {}, 1}}) {
        Instrument::Config config;
        config.settings.channels = c.channels;
        config.settings.dcChannels = c.dc;
        const auto scans = stream(std::make_unique<VexaModel>(ProductCode::Vexa3, config),
                                  130'000); // soak, then 100 s of descent
        ASSERT_GE(scans.size(), 550u);
        for (const std::string& scan : scans) {
            ASSERT_EQ(scan.size(), scans.front().size()) << scan;
            ASSERT_EQ(fields(scan).size(), c.fieldCount) << scan;
            ASSERT_GE(scan.size(), 10u) << "shorter lines are not taken for scans";
        }
    }
}

TEST(ScanStream, ScaledOutputSendsCounts) {
    Instrument::Config config;
    config.settings.channels = {true, false, false, false, false, false};
    config.settings.scaledOutput = true;
    const auto scans = stream(std::make_unique<VexaModel>(ProductCode::Vexa3, config), 2'000);
    ASSERT_FALSE(scans.empty());
    EXPECT_NEAR(0.001 * std::atol(scans.front().c_str()) - 2.0, 45.0, 10.0) << scans.front();
}

TEST(ScanStream, TavrinLinesFollowTheirLayoutsAndShowTheClock) {
    struct Case {
        ProductCode kind;
        std::array<bool, 6> channels;
        std::size_t fieldCount;
    };
    for (const Case& c : {Case{ProductCode::TavrinCT, {true, true, false}, 2},
                          Case{ProductCode::TavrinCT, {true, true, true}, 3},
                          Case{ProductCode::TavrinP, {true, false, true}, 2},
                          Case{ProductCode::TavrinP, {true, true, true}, 3}}) {
        Instrument::Config config;
        config.settings.channels = c.channels;
        const auto scans = stream(std::make_unique<TavrinModel>(c.kind, config), 10'500);
        ASSERT_EQ(scans.size(), 10u) << "one scan a second";
        EXPECT_EQ(fields(scans.front()).size(), c.fieldCount) << scans.front();
        if (c.kind == ProductCode::TavrinP && c.channels[2]) {
            EXPECT_NEAR(fields(scans.front()).back(), 1013.0, 10.0);
        }
        if (c.kind == ProductCode::TavrinCT && c.channels[2]) {
            EXPECT_NE(scans.front().find(", 12:00:01 12-06-2026"), std::string::npos)
                << scans.front();
        }
    }
}

// The program's exchange with the sampler mid-cast: stop the scans, ask "MODE" until it
// says run mode, then the sampler command.
TEST(ScanStream, SamplerAnswersAfterTheStreamIsStopped) {
    SimRig link;
    link.peerAs<VexaModel>().sampler().setFault(3, Sampler::Fault::LowVoltage);
    link.ask("***R");
    link.ask("SC", 0, 0);
    link.sleep(5'000);
    link.write("S", 500);
    link.write("\r", 500);
    EXPECT_EQ(link.ask("MODE"), "MODE\r\nRUN MODE\r\n");

    EXPECT_EQ(link.ask("RHPS", 40), "RHPS\r\nTEST OK\r\n");
    for (const char* answer : {"BOTTLE 1 FIRED", "BOTTLE 2 FIRED", "LV", "BOTTLE 4 FIRED"}) {
        EXPECT_EQ(link.ask("FIRE", 40), "FIRE\r\n" + std::string(answer) + "\r\n");
    }
    link.ask("RHPS", 40);
    EXPECT_EQ(link.ask("FIRE", 40), "FIRE\r\nBAF\r\n") << "bottle 1 is closed already";
    link.peerAs<VexaModel>().sampler().attached = false;
    EXPECT_EQ(link.ask("FIRE", 40), "FIRE\r\nNO CONF\r\n");
}

TEST(ScanStream, ModuleRunsOnRequestAndStreamsOneValuePerSecond) {
    SimRig link(std::make_unique<ModuleModel>(ModuleModel::Kind::Temperature));
    // The program's run-mode check: "mode\r" at 40 ms per character, then at most 10 bytes.
    const auto modeAnswer = [&] {
        link.purge();
        link.write("mode\r", 40);
        link.sleep(300);
        return link.read(10);
    };
    EXPECT_EQ(modeAnswer(), "mode idle\r");
    link.write("***r\r", 40);
    link.sleep(400); // clear of the value sent on the second
    EXPECT_EQ(modeAnswer(), "mode run\r\n") << "the stream waits while a command is typed";

    link.purge();
    link.sleep(5'000);
    const auto values = lines(link.read());
    ASSERT_GE(values.size(), 4u);
    for (const std::string& value : values) {
        EXPECT_NEAR(std::atof(value.c_str()), 17.0, 2.0) << value;
    }
    link.write("SS", 100);
    link.write("\r", 400);
    link.device.advance();
    EXPECT_FALSE(link.peerAs<ModuleModel>().streaming());
    link.write("SC\r");
    link.device.advance();
    EXPECT_TRUE(link.peerAs<ModuleModel>().streaming());
}

TEST(GpsReceiver, SendsPositionAndDateOnceASecond) {
    GpsReceiver::Config config;
    config.latitude = 44.5;
    config.longitude = -63.25;
    config.otherSentences = false;
    SimRig gps(std::make_unique<GpsReceiver>(config));
    gps.sleep(2'500);
    const auto sentences = lines(gps.read());
    ASSERT_EQ(sentences.size(), 6u);
    EXPECT_EQ(sentences[0], "$GPGLL,4430.0000,N,06315.0000,W,120000.00,A,A*7A");
    EXPECT_TRUE(sentences[1].starts_with("$GPZDA,120000.00,06,12,2026,00,00*"));
    EXPECT_NE(sentences[4].find(",120002.00,A"), std::string::npos) << sentences[4];
}

} // namespace
} // namespace halcyx::sim::test
