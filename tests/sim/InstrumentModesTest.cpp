// Open mode, run mode, streaming, address mode and the silent and refusing instruments, driven
// with the program's own exchange shapes.

#include "SimLink.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

// The open-mode request: "***O\r", a pause, purge, a bare return, and 12 bytes of answer.
std::string requestOpen(Vexa3& bench) {
    bench.link.ask("***O", 0, SimLink::kResponseMs);
    return bench.link.ask("", 12, SimLink::kResponseMs + 100);
}

// The stop sequence: three "S" 100 ms apart and a return.
void stopOutput(SimLink& link) {
    link.write("SSS", 100);
    link.write("\r");
}

long newlines(const std::string& text) {
    return std::ranges::count(text, '\n');
}

TEST(InstrumentModes, StreamingAtPowerUpMustBeStoppedBeforeOpenMode) {
    Vexa3 plain;
    EXPECT_EQ(requestOpen(plain), "\r\nOpen\r\n");

    Vexa3 bench([](auto& c) { c.faults.streamingAtPowerUp = true; });
    EXPECT_TRUE(bench.peer.streaming());
    const std::string first = requestOpen(bench);
    EXPECT_EQ(first.size(), 12u) << "scans fill the read";
    EXPECT_EQ(first.find("Open"), std::string::npos);
    stopOutput(bench.link);
    EXPECT_FALSE(bench.peer.streaming());
    EXPECT_EQ(requestOpen(bench), "\r\nOpen\r\n");
}

TEST(InstrumentModes, RunModeSamplesAndSendsScansOnRequestOrContinuously) {
    Vexa3 bench;
    SimLink& link = bench.link;
    EXPECT_EQ(link.ask("***R", 100), "***R\r\nRUN MODE\r\n");
    const std::string one = link.ask("");
    EXPECT_TRUE(one.starts_with("\r\n")) << one;
    EXPECT_EQ(newlines(one), 2) << "exactly one scan line";
    EXPECT_EQ(link.ask("SETUP"), "SETUP\r\nBAD COMMAND\r\n") << "run mode refuses";

    link.ask("SC", 0, 0);
    link.sleep(10'000);
    EXPECT_NEAR(newlines(link.read()), 45, 1) << "4.5 scans per second";
    EXPECT_EQ(link.ask("MODE").find("RUN MODE"), std::string::npos)
        << "a streaming instrument ignores commands";
    stopOutput(bench.link);
    link.sleep(SimLink::kResponseMs);
    EXPECT_EQ(link.ask("MODE"), "MODE\r\nRUN MODE\r\n");
    EXPECT_EQ(link.ask("***O"), "***O\r\nOpen\r\n");
    EXPECT_EQ(bench.peer.mode(), Instrument::Mode::Open);
}

TEST(InstrumentModes, AddressModeAnswersOnlyItsOwnAddressUntilCleared) {
    Vexa3 bench([](auto& c) {
        c.identity.address = 2;
        c.faults.addressMode = true;
    });
    EXPECT_EQ(requestOpen(bench), "");
    for (const auto& [probe, answer] :
         {std::pair{"#M0", ""}, {"#M1", ""}, {"#K3", ""}, {"#M2", "\r\n"}}) {
        bench.link.write(probe);
        bench.link.sleep(SimLink::kResponseMs);
        EXPECT_EQ(bench.link.read(2), answer) << probe;
    }
    EXPECT_EQ(requestOpen(bench), "\r\nOpen\r\n");
    EXPECT_EQ(bench.link.ask("CAOP"), "CAOP\r\nAddress mode cleared\r\n");
    bench.link.write("#M0");
    EXPECT_EQ(requestOpen(bench), "\r\nOpen\r\n") << "probes are ignored afterwards";

    Vexa3 silent([](auto& c) { c.faults.silent = true; });
    EXPECT_EQ(requestOpen(silent), "");
    EXPECT_EQ(silent.link.ask("S/N"), "");
}

TEST(InstrumentModes, RefusedUnknownAndOverlongCommandsAnswerBadCommand) {
    Vexa3 bench([](auto& c) { c.faults.refused = {"CH3", "RSOT"}; });
    const std::string overlong(200, 'x');
    for (const auto& [command, answer] :
         {std::pair<std::string, std::string>{"CH3=ON", "CH3=ON\r\nBAD COMMAND\r\n"},
          {"CH3", "CH3\r\nBAD COMMAND\r\n"},
          {"RSOT", "RSOT\r\nBAD COMMAND\r\n"},
          {"CH2", "CH2 = on\r\n"},
          {overlong, overlong + "\r\nBAD COMMAND\r\n"},
          {"CH1", "CH1 = on\r\n"}}) {
        EXPECT_EQ(bench.link.ask(command, 1000), answer);
    }
}

TEST(InstrumentModes, DeploymentModesSampleIntoTheMemoryOnTheirSchedule) {
    Vexa3 bench;
    EXPECT_EQ(bench.link.ask("SLOG"), "SLOG\r\nData Logging is set\r\n");
    EXPECT_EQ(bench.link.ask("***I"), "***I\r\nINTERVAL MODE\r\n");
    // Interval 1 min, on 30 s, 4.5 scans per second: two on periods in 90 s.
    bench.link.sleep(90'000);
    bench.device.advance();
    const LoggingMemory& memory = bench.peer.memory();
    EXPECT_NEAR(double(memory.loggedBytes() / bench.peer.bytesPerScan()), 2 * 135, 2);
    EXPECT_EQ(requestOpen(bench), "\r\nOpen\r\n");
    const std::size_t logged = memory.loggedBytes();
    bench.link.sleep(10'000);
    bench.device.advance();
    EXPECT_EQ(memory.loggedBytes(), logged) << "open mode does not sample";

    Vexa3 delayed([](auto& c) {
        c.settings.delayedDate = "12-06-2026";
        c.settings.delayedTime = "12:10:00"; // ten minutes after power-up
    });
    delayed.link.ask("SLOG");
    delayed.link.ask("***D");
    delayed.link.sleep(9 * 60'000);
    delayed.device.advance();
    EXPECT_EQ(delayed.peer.memory().loggedBytes(), 0u);
    delayed.link.sleep(2 * 60'000);
    delayed.device.advance();
    EXPECT_GT(delayed.peer.memory().loggedBytes(), 0u);
}

} // namespace
} // namespace halcyx::sim::test
