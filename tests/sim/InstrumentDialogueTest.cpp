// The simulated instruments' averaging by firmware, settings not set, run mode, streaming,
// refusals and the deployment modes, driven with the program's own exchange shapes.

#include "sim/VexaModel.h"
#include "tests/support/SimRig.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

using halcyx::test::SimRig;
using namespace std::string_literals;

TEST(InstrumentQuery, AveragingFollowsTheFirmware) {
    for (const auto& [firmware, averages] :
         {std::pair{"2.10", true}, {"1.90", false}, {"1.95", true}, {"2I10", false}}) {
        SimRig vexa(ProductCode::Vexa3, [&](auto& c) { c.identity.firmware = firmware; });
        EXPECT_EQ(vexa.peerAs<VexaModel>().scaledMemory(), averages) << firmware;
    }
    for (const auto& [firmware, averages] : {std::pair{"V1.50", false}, {"V1.60", true}}) {
        SimRig ct(ProductCode::TavrinCT, [&](auto& c) {
            c.identity.address = 3;
            c.identity.firmware = firmware;
        });
        EXPECT_EQ(ct.ask("AVGI").find("BAD COMMAND") == std::string::npos, averages);
    }
}

TEST(InstrumentQuery, SettingsNotSetAnswerNo) {
    SimRig vexa(ProductCode::Vexa3, [](auto& c) {
        c.settings.intervalTime.clear();
        c.settings.delayedDate.clear();
        c.settings.delayedTime.clear();
    });
    for (const std::string command : {"ITIME", "DTIME", ""}) {
        if (command.empty()) // the time half of DTIME follows the return that kept the date
            vexa.sleep(SimRig::kResponseMs);
        const std::string answer = command.empty() ? vexa.read(100) : vexa.ask(command, 100);
        vexa.write("\r");
        EXPECT_NE(answer.find("NO "), std::string::npos) << answer;
        EXPECT_EQ(answer.find("is "), std::string::npos) << answer;
    }
}

long newlines(const std::string& text) {
    return std::ranges::count(text, '\n');
}

TEST(InstrumentModes, RunModeSamplesAndSendsScansOnRequestOrContinuously) {
    SimRig link;
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
    link.write("SSS", 100); // the stop sequence: three "S" 100 ms apart and a return
    link.write("\r");
    link.sleep(SimRig::kResponseMs);
    EXPECT_EQ(link.ask("MODE"), "MODE\r\nRUN MODE\r\n");
    EXPECT_EQ(link.ask("***O"), "***O\r\nOpen\r\n");
    EXPECT_EQ(link.instrument().mode(), Instrument::Mode::Open);
}

TEST(InstrumentModes, RefusedUnknownAndOverlongCommandsAnswerBadCommand) {
    SimRig bench(ProductCode::Vexa3, [](auto& c) { c.faults.refused = {"CH3", "RSOT"}; });
    for (const std::string& command : {"CH3=ON"s, "CH3"s, "RSOT"s, std::string(200, 'x')})
        EXPECT_EQ(bench.ask(command, 1000), command + "\r\nBAD COMMAND\r\n");
    for (const char* accepted : {"CH1", "CH2"}) // the refusals leave the instrument listening
        EXPECT_EQ(bench.ask(accepted), accepted + " = on\r\n"s);
}

TEST(InstrumentModes, DeploymentModesSampleIntoTheMemoryOnTheirSchedule) {
    SimRig bench;
    EXPECT_EQ(bench.ask("SLOG"), "SLOG\r\nData Logging is set\r\n");
    EXPECT_EQ(bench.ask("***I"), "***I\r\nINTERVAL MODE\r\n");
    // Interval 1 min, on 30 s, 4.5 scans per second: two on periods in 90 s.
    bench.sleep(90'000);
    bench.device.advance();
    const LoggingMemory& memory = bench.instrument().memory();
    EXPECT_NEAR(double(memory.loggedBytes() / bench.instrument().bytesPerScan()), 2 * 135, 2);
    // The open-mode request: "***O\r", a pause, purge, a bare return and 12 bytes of answer.
    bench.ask("***O", 0, SimRig::kResponseMs);
    EXPECT_EQ(bench.ask("", 12, SimRig::kResponseMs + 100), "\r\nOpen\r\n");
    const std::size_t logged = memory.loggedBytes();
    bench.sleep(10'000);
    bench.device.advance();
    EXPECT_EQ(memory.loggedBytes(), logged) << "open mode does not sample";

    SimRig delayed(ProductCode::Vexa3, [](auto& c) {
        c.settings.delayedDate = "12-06-2026";
        c.settings.delayedTime = "12:10:00"; // ten minutes after power-up
    });
    delayed.ask("SLOG");
    delayed.ask("***D");
    delayed.sleep(9 * 60'000);
    delayed.device.advance();
    EXPECT_EQ(delayed.instrument().memory().loggedBytes(), 0u);
    delayed.sleep(2 * 60'000);
    delayed.device.advance();
    EXPECT_GT(delayed.instrument().memory().loggedBytes(), 0u);
}

} // namespace
} // namespace halcyx::sim::test
