// The live scan lines of each model (fields by channel mask, equal lengths, a plausible
// ocean), the sampler exchange in the middle of a cast, and the sensor modules.

#include "ModuleModel.h"
#include "SimLink.h"
#include "TavrinModel.h"
#include "VexaModel.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace halcyx::sim::test {
namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        out.push_back(text.substr(start, end - start));
    }
    return out;
}

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> out;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        out.push_back(field);
    }
    return out;
}

constexpr std::uint32_t kReadTickMs = 250;

// Streams for the given time after "***R" and "SC" and returns the complete scan lines.
std::vector<std::string> stream(Instrument& instrument, std::uint32_t ms) {
    VirtualClock clock;
    SimDevice device(clock, instrument);
    SimLink link(clock, device);
    link.ask("***R");
    link.ask("SC", 0, 0);
    std::string received;
    for (std::uint32_t waited = 0; waited < ms; waited += kReadTickMs) {
        link.sleep(kReadTickMs);
        received += link.read();
    }
    std::vector<std::string> scans = lines(received);
    scans.erase(scans.begin()); // the end of the "SC" answer
    return scans;
}

TEST(ScanStream, VexaLinesCarryTheMaskedFieldsAtEqualLength) {
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
        VexaModel vexa(VexaModel::Generation::Vexa3, config);
        const auto scans = stream(vexa, 60'000);
        ASSERT_GE(scans.size(), 250u);
        for (const std::string& scan : scans) {
            ASSERT_EQ(scan.size(), scans.front().size()) << scan;
            ASSERT_EQ(fields(scan).size(), c.fieldCount) << scan;
            ASSERT_GE(scan.size(), 10u) << "shorter lines are not taken for scans";
        }
    }
}

TEST(ScanStream, VexaFollowsACastThroughTheThermocline) {
    Instrument::Config config;
    config.settings.channels = {true, true, true, false, true, true};
    VexaModel vexa(VexaModel::Generation::Vexa3, config);
    const auto scans = stream(vexa, 130'000); // soak, then 100 s of descent
    const auto first = fields(scans.front());
    const auto last = fields(scans.back());
    EXPECT_LT(std::atof(first[2].c_str()), 1.0);
    EXPECT_NEAR(std::atof(last[2].c_str()), 100.0, 2.0) << "1 dbar/s after the soak";
    EXPECT_GT(std::atof(first[1].c_str()) - std::atof(last[1].c_str()), 5.0)
        << "colder below the thermocline";
    EXPECT_NEAR(std::atof(last[3].c_str()), 35.0, 0.1) << "the instrument's own salinity";
    EXPECT_GT(std::atof(last[0].c_str()), 30.0);
    EXPECT_NEAR(std::atof(last[4].c_str()), 1490.0, 30.0);
}

TEST(ScanStream, ScaledOutputSendsCounts) {
    Instrument::Config config;
    config.settings.channels = {true, false, false, false, false, false};
    config.settings.scaledOutput = true;
    VexaModel vexa(VexaModel::Generation::Vexa3, config);
    const auto scans = stream(vexa, 2'000);
    ASSERT_FALSE(scans.empty());
    const long counts = std::atol(scans.front().c_str());
    EXPECT_NEAR(0.001 * counts - 2.0, 45.0, 10.0) << scans.front();
}

TEST(ScanStream, TavrinLinesFollowTheirLayouts) {
    struct Case {
        TavrinModel::Kind kind;
        std::array<bool, 6> channels;
        std::size_t fieldCount;
    };
    for (const Case& c : {Case{TavrinModel::Kind::CT, {true, true, false}, 2},
                          Case{TavrinModel::Kind::CT, {true, true, true}, 3},
                          Case{TavrinModel::Kind::P, {true, false, true}, 2},
                          Case{TavrinModel::Kind::P, {true, true, true}, 3}}) {
        Instrument::Config config;
        config.settings.channels = c.channels;
        TavrinModel tavrin(c.kind, config);
        const auto scans = stream(tavrin, 10'500);
        ASSERT_EQ(scans.size(), 10u) << "one scan a second";
        EXPECT_EQ(fields(scans.front()).size(), c.fieldCount) << scans.front();
        if (c.kind == TavrinModel::Kind::P && c.channels[2]) {
            EXPECT_NEAR(std::atof(fields(scans.front()).back().c_str()), 1013.0, 10.0);
        }
    }
}

TEST(ScanStream, TimeFieldShowsTheInstrumentClock) {
    Instrument::Config config;
    config.settings.channels = {true, true, true};
    TavrinModel ct(TavrinModel::Kind::CT, config);
    const auto scans = stream(ct, 3'500);
    ASSERT_FALSE(scans.empty());
    const std::string time = fields(scans.front())[2];
    EXPECT_EQ(time.substr(0, 8), " 12:00:0") << time;
    EXPECT_EQ(time.substr(9), " 12-06-2026") << time;
}

// The program's exchange with the sampler mid-cast: stop the scans, ask "MODE" until it
// says run mode, then the sampler command.
TEST(ScanStream, SamplerAnswersAfterTheStreamIsStopped) {
    Instrument::Config config;
    VexaModel vexa(VexaModel::Generation::Vexa3, config);
    vexa.sampler().setFault(3, Sampler::Fault::LowVoltage);
    VirtualClock clock;
    SimDevice device(clock, vexa);
    SimLink link(clock, device);
    link.ask("***R");
    link.ask("SC", 0, 0);
    link.sleep(5'000);

    link.write("S", 0);
    link.sleep(500);
    link.write("\r", 0);
    link.sleep(500);
    EXPECT_EQ(link.ask("MODE"), "MODE\r\nRUN MODE\r\n");

    EXPECT_EQ(link.ask("RHPS", 40), "RHPS\r\nTEST OK\r\n");
    const std::vector<std::string> expected = {"BOTTLE 1 FIRED", "BOTTLE 2 FIRED", "LV",
                                               "BOTTLE 4 FIRED"};
    for (const std::string& answer : expected) {
        EXPECT_EQ(link.ask("FIRE", 40), "FIRE\r\n" + answer + "\r\n");
    }
    link.ask("RHPS", 40);
    EXPECT_EQ(link.ask("FIRE", 40), "FIRE\r\nBAF\r\n") << "bottle 1 is closed already";

    vexa.sampler().attached = false;
    EXPECT_EQ(link.ask("FIRE", 40), "FIRE\r\nNO CONF\r\n");
    EXPECT_EQ(link.ask("RHPS", 40).find("TEST OK"), std::string::npos);
}

TEST(ScanStream, ModuleRunsOnRequestAndStreamsOneValuePerSecond) {
    ModuleModel module(ModuleModel::Kind::Temperature);
    VirtualClock clock;
    SimDevice device(clock, module);
    SimLink link(clock, device);

    // The program's run-mode check: "mode\r" at 40 ms per character, then at most 10 bytes.
    const auto modeAnswer = [&] {
        link.purge();
        link.write("mode\r", 40);
        link.sleep(300);
        return link.read(10);
    };
    EXPECT_EQ(modeAnswer(), "mode idle\r");
    link.write("***r\r", 40);
    link.sleep(300);
    device.advance();
    EXPECT_TRUE(module.streaming());
    link.sleep(100); // clear of the value sent on the second
    EXPECT_EQ(modeAnswer(), "mode run\r\n") << "the stream waits while a command is typed";

    link.purge();
    link.sleep(5'000);
    const auto values = lines(link.read());
    ASSERT_GE(values.size(), 4u);
    for (const std::string& value : values) {
        EXPECT_NEAR(std::atof(value.c_str()), 17.0, 2.0) << value;
    }

    link.write("S", 0);
    link.sleep(100);
    link.write("S", 0);
    link.sleep(100);
    link.write("\r", 0);
    link.sleep(400);
    device.advance();
    EXPECT_FALSE(module.streaming());
    link.write("SC\r", 20);
    device.advance();
    EXPECT_TRUE(module.streaming());
}

} // namespace
} // namespace halcyx::sim::test
