// halcyx-sim as a program: its command line (models with their identities, faults, and
// refusals), its pseudo-terminal answering over a plain termios port, stopping on SIGTERM and
// leaving its traffic log, and explaining its options.

#include "core/serial/PosixSerialDevice.h"
#include "sim/SimOptions.h"
#include "tests/support/SimProcess.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using halcyx::test::SimProcess;

using namespace std::chrono_literals;

// Opens the terminal named after prefix on the line, sends text one character per 20 ms and
// reads until want arrives or two seconds have passed.
std::string exchange(const std::string& line, const std::string& prefix, const std::string& text,
                     const std::string& want) {
    EXPECT_TRUE(line.starts_with(prefix + "/dev/")) << line;
    halcyx::PosixSerialDevice device;
    EXPECT_TRUE(device.open(line.substr(prefix.size())) && device.setLine(9600))
        << device.lastErrorText();
    device.purge(halcyx::PurgeWhat::Both);
    for (const char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        EXPECT_EQ(device.write(std::span(&byte, 1)), 1);
        std::this_thread::sleep_for(20ms);
    }
    std::string answer;
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (answer.find(want) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        std::uint8_t buf[64];
        const long n = device.read(buf);
        answer.append(reinterpret_cast<const char*>(buf), n > 0 ? std::size_t(n) : 0);
        std::this_thread::sleep_for(10ms);
    }
    device.close();
    return answer;
}

TEST(PtyServer, AnswersOverAPseudoTerminalAndLogsTheTraffic) {
    const std::string log = testing::TempDir() + "halcyx-sim-traffic.log";
    SimProcess sim(HALCYX_SIM_PROGRAM, {"--log", log, "--gps"});
    const std::string instrument = sim.line();
    const std::string gps = sim.line();
    EXPECT_EQ(exchange(instrument, "instrument: ", "S/N\r", "\r\n"), "S/N = 1634M\r\n");
    EXPECT_NE(exchange(gps, "gps: ", "", "$GPGLL,").find("$GPGLL,"), std::string::npos);

    EXPECT_EQ(sim.stop(SIGTERM), 0);
    std::stringstream text;
    text << std::ifstream(log).rdbuf();
    EXPECT_NE(text.str().find(" < S/N\\r\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find(" > S/N = 1634M\\r\\n\n"), std::string::npos) << text.str();
}

TEST(PtyServer, TheProgramsSerialDeviceCanOpenItAgainAndAgain) {
    SimProcess sim(HALCYX_SIM_PROGRAM, {"--model", "ct"});
    const std::string instrument = sim.line();
    for (int session = 0; session < 2; ++session) {
        EXPECT_EQ(exchange(instrument, "instrument: ", "CH3\r", "\r\n"), "CH3 = off\r\n")
            << "session " << session;
    }
    EXPECT_EQ(sim.stop(SIGINT), 0);
}

TEST(PtyServer, ExplainsItsOptionsAndRefusesBadOnes) {
    SimProcess help(HALCYX_SIM_PROGRAM, {"--help"});
    const std::string usage = help.rest();
    EXPECT_EQ(help.wait(), 0);
    for (const char* option : {"--model", "--serial", "--firmware", "--fault", "--log"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    SimProcess bad(HALCYX_SIM_PROGRAM, {"--model", "vexa9"});
    EXPECT_EQ(bad.wait(), 2);
}

TEST(SimOptions, ChoosesModelIdentityAndMemory) {
    struct Case {
        std::vector<std::string> args;
        const char* model;
        const char* serial;
    };
    for (const Case& c :
         {Case{{}, "Vexa 3", "1634M"}, Case{{"--model", "vexa2"}, "Vexa 2", "1234M"},
          Case{{"--model", "ct"}, "Tavrin CT", "F0123"},
          Case{{"--model", "p", "--serial", "Q0999"}, "Tavrin P", "Q0999"}}) {
        halcyx::sim::SimOptions options;
        ASSERT_FALSE(halcyx::sim::parseOptions(c.args, options));
        const auto instrument = halcyx::sim::makeInstrument(options, 0);
        EXPECT_EQ(instrument->modelName(), c.model);
        EXPECT_EQ(instrument->identity().serialNumber, c.serial);
    }
    halcyx::sim::SimOptions options;
    ASSERT_FALSE(halcyx::sim::parseOptions(
        {"--firmware", "1.90", "--caldate", "01JAN20", "--address", "5", "--preload", "10"},
        options));
    auto instrument = halcyx::sim::makeInstrument(options, 0);
    EXPECT_EQ(instrument->identity().firmware, "1.90");
    EXPECT_EQ(instrument->identity().calibrationDate, "01JAN20");
    EXPECT_EQ(instrument->identity().address, 5);
    EXPECT_EQ(instrument->memory().loggedBytes(), 10 * instrument->bytesPerScan());
}

TEST(SimOptions, RefusesWhatItDoesNotKnow) {
    const std::vector<std::string> cases[] = {{"--model", "vexa9"},  {"--baud"},
                                              {"--baud", "fast"},    {"--address", "8"},
                                              {"--fault", "drop=0"}, {"--fault", "gremlins"},
                                              {"--frobnicate", "1"}};
    for (const auto& args : cases) {
        halcyx::sim::SimOptions options;
        EXPECT_TRUE(halcyx::sim::parseOptions(args, options)) << args[0];
    }
}

} // namespace
