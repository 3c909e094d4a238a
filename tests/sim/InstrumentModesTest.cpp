// Open mode, run mode, streaming, address mode and the silent and refusing instruments, driven
// with the program's own exchange shapes.

#include "SimLink.h"
#include "TavrinModel.h"
#include "VexaModel.h"

#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

Instrument::Config vexaConfig() {
    return VexaModel::factoryConfig(VexaModel::Generation::Vexa3);
}

// The open-mode request: "***O\r", a pause, purge, a bare return, and 12 bytes of answer.
std::string requestOpen(SimLink& link) {
    link.purge();
    link.write("***O\r");
    link.sleep(SimLink::kResponseMs);
    link.purge();
    link.write("\r");
    link.sleep(SimLink::kResponseMs + 100);
    return link.read(12);
}

// The stop sequence: three "S" 100 ms apart and a return.
void stopOutput(SimLink& link) {
    link.write("SSS", 100);
    link.write("\r");
}

struct Bench {
    explicit Bench(Instrument::Config config = vexaConfig())
        : vexa(VexaModel::Generation::Vexa3, std::move(config)), device(clock, vexa),
          link(clock, device) {}
    VirtualClock clock;
    VexaModel vexa;
    SimDevice device;
    SimLink link;
};

TEST(InstrumentModes, OpenInstrumentAnswersOpenWithinTwelveBytes) {
    Bench bench;
    EXPECT_EQ(requestOpen(bench.link), "\r\nOpen\r\n");
    EXPECT_EQ(bench.vexa.mode(), Instrument::Mode::Open);
}

TEST(InstrumentModes, StreamingAtPowerUpMustBeStoppedBeforeOpenMode) {
    Instrument::Config config = vexaConfig();
    config.faults.streamingAtPowerUp = true;
    Bench bench(config);
    EXPECT_TRUE(bench.vexa.streaming());

    const std::string first = requestOpen(bench.link);
    EXPECT_EQ(first.size(), 12u) << "scans fill the read";
    EXPECT_EQ(first.find("Open"), std::string::npos);

    stopOutput(bench.link);
    EXPECT_FALSE(bench.vexa.streaming());
    EXPECT_EQ(requestOpen(bench.link), "\r\nOpen\r\n");
}

TEST(InstrumentModes, RunModeSamplesAndSendsScansOnRequestOrContinuously) {
    Bench bench;
    EXPECT_EQ(bench.link.ask("***R", 100), "***R\r\nRUN MODE\r\n");
    EXPECT_EQ(bench.vexa.mode(), Instrument::Mode::Run);
    EXPECT_FALSE(bench.vexa.streaming());

    const std::string one = bench.link.ask("");
    EXPECT_TRUE(one.starts_with("\r\n")) << one;
    EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 2) << "exactly one scan line";

    EXPECT_EQ(bench.link.ask("SETUP"), "SETUP\r\nBAD COMMAND\r\n") << "run mode refuses";
    EXPECT_EQ(bench.link.ask("MODE"), "MODE\r\nRUN MODE\r\n");

    bench.link.ask("SC", 0, 0);
    EXPECT_TRUE(bench.vexa.streaming());
    bench.link.sleep(10'000);
    const std::string scans = bench.link.read();
    EXPECT_NEAR(std::count(scans.begin(), scans.end(), '\n'), 45, 1) << "4.5 scans per second";
    EXPECT_EQ(bench.link.ask("MODE").find("RUN MODE"), std::string::npos)
        << "a streaming instrument ignores commands";
    EXPECT_TRUE(bench.vexa.streaming());

    stopOutput(bench.link);
    bench.link.sleep(SimLink::kResponseMs);
    EXPECT_EQ(bench.link.ask("MODE"), "MODE\r\nRUN MODE\r\n");
    EXPECT_EQ(bench.link.ask("***O"), "***O\r\nOpen\r\n");
    EXPECT_EQ(bench.vexa.mode(), Instrument::Mode::Open);
}

TEST(InstrumentModes, AddressModeAnswersOnlyItsOwnAddressUntilCleared) {
    Instrument::Config config = vexaConfig();
    config.identity.address = 2;
    config.faults.addressMode = true;
    Bench bench(config);
    EXPECT_EQ(requestOpen(bench.link), "");

    for (const char* probe : {"#M0", "#M1", "#K3"}) {
        bench.link.write(probe);
        bench.link.sleep(SimLink::kResponseMs);
        EXPECT_EQ(bench.link.read(2), "") << probe;
    }
    bench.link.write("#M2");
    bench.link.sleep(SimLink::kResponseMs);
    EXPECT_EQ(bench.link.read(2), "\r\n");
    EXPECT_EQ(requestOpen(bench.link), "\r\nOpen\r\n");

    EXPECT_EQ(bench.link.ask("CAOP"), "CAOP\r\nAddress mode cleared\r\n");
    EXPECT_FALSE(bench.vexa.inAddressMode());
    bench.link.write("#M0");
    EXPECT_EQ(requestOpen(bench.link), "\r\nOpen\r\n") << "probes are ignored afterwards";
}

TEST(InstrumentModes, SilentInstrumentSendsNothing) {
    Instrument::Config config = vexaConfig();
    config.faults.silent = true;
    Bench bench(config);
    EXPECT_EQ(requestOpen(bench.link), "");
    EXPECT_EQ(bench.link.ask("S/N"), "");
}

TEST(InstrumentModes, RefusedCommandsAnswerBadCommand) {
    Instrument::Config config = vexaConfig();
    config.faults.refused = {"CH3", "RSOT"};
    Bench bench(config);
    EXPECT_EQ(bench.link.ask("CH3=ON"), "CH3=ON\r\nBAD COMMAND\r\n");
    EXPECT_EQ(bench.link.ask("CH3"), "CH3\r\nBAD COMMAND\r\n");
    EXPECT_EQ(bench.link.ask("RSOT"), "RSOT\r\nBAD COMMAND\r\n");
    EXPECT_EQ(bench.link.ask("CH2"), "CH2 = on\r\n");
}

TEST(InstrumentModes, OverlongCommandIsRefusedWhole) {
    Bench bench;
    const std::string noise(200, 'x');
    const std::string answer = bench.link.ask(noise, 1000);
    EXPECT_TRUE(answer.ends_with("\r\nBAD COMMAND\r\n"));
    EXPECT_EQ(bench.link.ask("CH1"), "CH1 = on\r\n");
}

TEST(InstrumentModes, DeploymentModesSampleIntoTheMemory) {
    Bench bench;
    EXPECT_EQ(bench.link.ask("SLOG"), "SLOG\r\nData Logging is set\r\n");
    EXPECT_EQ(bench.link.ask("***I"), "***I\r\nINTERVAL MODE\r\n");
    // Interval 1 min, on 30 s, 4.5 scans per second: two on periods in 90 s.
    bench.link.sleep(90'000);
    bench.device.advance();
    const std::size_t perScan = bench.vexa.bytesPerScan();
    EXPECT_NEAR(static_cast<double>(bench.vexa.memory().loggedBytes() / perScan), 2 * 135, 2);
    EXPECT_EQ(requestOpen(bench.link), "\r\nOpen\r\n");
    const std::size_t logged = bench.vexa.memory().loggedBytes();
    bench.link.sleep(10'000);
    bench.device.advance();
    EXPECT_EQ(bench.vexa.memory().loggedBytes(), logged) << "open mode does not sample";
}

TEST(InstrumentModes, DelayedStartWaitsForItsClockTime) {
    Instrument::Config config = vexaConfig();
    config.settings.delayedDate = "12-06-2026";
    config.settings.delayedTime = "12:10:00"; // ten minutes after power-up
    Bench bench(config);
    bench.link.ask("SLOG");
    bench.link.ask("***D");
    bench.link.sleep(9 * 60'000);
    bench.device.advance();
    EXPECT_EQ(bench.vexa.memory().loggedBytes(), 0u);
    bench.link.sleep(2 * 60'000);
    bench.device.advance();
    EXPECT_GT(bench.vexa.memory().loggedBytes(), 0u);
}

} // namespace
} // namespace halcyx::sim::test
