// halcyx-sim as a program: its pseudo-terminal answers over a plain termios port, it stops on
// SIGTERM and leaves its traffic log, and it explains its options.

#include "SimProcess.h"
#include "serial/PosixSerialDevice.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using halcyx::test::SimProcess;

using namespace std::chrono_literals;

int openRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return fd;
    }
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    cfsetspeed(&tio, B9600);
    tcsetattr(fd, TCSANOW, &tio);
    return fd;
}

// Reads until the text holds want or two seconds have passed.
std::string readUntil(int fd, const std::string& want) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + 2s;
    while (text.find(want) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        char buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            text.append(buf, static_cast<std::size_t>(n));
        } else {
            std::this_thread::sleep_for(10ms);
        }
    }
    return text;
}

TEST(PtyServer, AnswersOverAPseudoTerminalAndLogsTheTraffic) {
    const std::string log = testing::TempDir() + "halcyx-sim-traffic.log";
    SimProcess sim(HALCYX_SIM_PROGRAM, {"--log", log, "--gps"});
    const std::string instrument = sim.line();
    ASSERT_TRUE(instrument.starts_with("instrument: /dev/")) << instrument;
    const std::string gps = sim.line();
    ASSERT_TRUE(gps.starts_with("gps: /dev/")) << gps;

    const int fd = openRaw(instrument.substr(12));
    ASSERT_GE(fd, 0);
    for (const char c : std::string("S/N\r")) {
        ASSERT_EQ(::write(fd, &c, 1), 1);
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(readUntil(fd, "\r\n"), "S/N = 1634M\r\n");
    ::close(fd);

    const int nav = openRaw(gps.substr(5));
    ASSERT_GE(nav, 0);
    EXPECT_NE(readUntil(nav, "$GPGLL,").find("$GPGLL,"), std::string::npos);
    ::close(nav);

    EXPECT_EQ(sim.stop(SIGTERM), 0);
    std::ifstream in(log);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find(" < S/N\\r\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find(" > S/N = 1634M\\r\\n\n"), std::string::npos) << text.str();
}

TEST(PtyServer, TheProgramsSerialDeviceCanOpenItAgainAndAgain) {
    SimProcess sim(HALCYX_SIM_PROGRAM, {"--model", "ct"});
    const std::string instrument = sim.line();
    ASSERT_TRUE(instrument.starts_with("instrument: /dev/")) << instrument;
    for (int session = 0; session < 2; ++session) {
        halcyx::PosixSerialDevice device;
        ASSERT_TRUE(device.open(instrument.substr(12))) << device.lastErrorText();
        ASSERT_TRUE(device.setLine(9600));
        device.purge(halcyx::PurgeWhat::Both);
        for (const char c : std::string("CH3\r")) {
            const auto byte = static_cast<std::uint8_t>(c);
            ASSERT_EQ(device.write(std::span(&byte, 1)), 1);
            std::this_thread::sleep_for(20ms);
        }
        std::string answer;
        const auto deadline = std::chrono::steady_clock::now() + 2s;
        while (answer.find("\r\n") == std::string::npos &&
               std::chrono::steady_clock::now() < deadline) {
            std::uint8_t buf[64];
            const long n = device.read(buf);
            answer.append(reinterpret_cast<const char*>(buf),
                          n > 0 ? static_cast<std::size_t>(n) : 0);
            std::this_thread::sleep_for(10ms);
        }
        EXPECT_EQ(answer, "CH3 = off\r\n") << "session " << session;
        device.close();
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

} // namespace
