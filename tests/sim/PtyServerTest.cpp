// halcyx-sim as a program: its command line (models with their identities, faults, and
// refusals), its pseudo-terminal answering over a plain termios port, stopping on SIGTERM and
// leaving its traffic log, and explaining its options.

#include "SimOptions.h"
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
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

// halcyx-sim started with the given arguments, its standard output on a pipe.
class SimProcess {
public:
    explicit SimProcess(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            dup2(::open("/dev/null", O_WRONLY), STDERR_FILENO);
            ::close(out[0]);
            std::vector<char*> argv{const_cast<char*>(HALCYX_SIM_PROGRAM)};
            for (std::string& arg : args) {
                argv.push_back(arg.data());
            }
            argv.push_back(nullptr);
            execv(HALCYX_SIM_PROGRAM, argv.data());
            _exit(127);
        }
        ::close(out[1]);
        output_ = fdopen(out[0], "r");
    }
    ~SimProcess() {
        if (pid_ > 0 && !waited_) {
            stop(SIGKILL);
        }
        if (output_ != nullptr) {
            fclose(output_);
        }
    }
    // The next line of output without its line end, or all the rest.
    std::string read(bool all = false) {
        std::string text;
        char buf[256];
        while (output_ != nullptr && fgets(buf, sizeof buf, output_) != nullptr) {
            text += buf;
            if (!all) {
                text.pop_back();
                break;
            }
        }
        return text;
    }
    // Sends the signal and returns the exit status.
    int stop(int signal) {
        kill(pid_, signal);
        return wait();
    }
    int wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    FILE* output_ = nullptr;
    bool waited_ = false;
};

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
    SimProcess sim({"--log", log, "--gps"});
    const std::string instrument = sim.read();
    const std::string gps = sim.read();
    EXPECT_EQ(exchange(instrument, "instrument: ", "S/N\r", "\r\n"), "S/N = 1634M\r\n");
    EXPECT_NE(exchange(gps, "gps: ", "", "$GPGLL,").find("$GPGLL,"), std::string::npos);

    EXPECT_EQ(sim.stop(SIGTERM), 0);
    std::stringstream text;
    text << std::ifstream(log).rdbuf();
    EXPECT_NE(text.str().find(" < S/N\\r\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find(" > S/N = 1634M\\r\\n\n"), std::string::npos) << text.str();
}

TEST(PtyServer, TheProgramsSerialDeviceCanOpenItAgainAndAgain) {
    SimProcess sim({"--model", "ct"});
    const std::string instrument = sim.read();
    for (int session = 0; session < 2; ++session) {
        EXPECT_EQ(exchange(instrument, "instrument: ", "CH3\r", "\r\n"), "CH3 = off\r\n")
            << "session " << session;
    }
    EXPECT_EQ(sim.stop(SIGINT), 0);
}

TEST(PtyServer, ExplainsItsOptionsAndRefusesBadOnes) {
    SimProcess help({"--help"});
    const std::string usage = help.read(true);
    EXPECT_EQ(help.wait(), 0);
    for (const char* option : {"--model", "--serial", "--firmware", "--fault", "--log"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    SimProcess bad({"--model", "vexa9"});
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
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--model", "vexa9"},
                                               {"--baud"},
                                               {"--baud", "fast"},
                                               {"--address", "8"},
                                               {"--fault", "drop=0"},
                                               {"--fault", "gremlins"},
                                               {"--frobnicate", "1"}}) {
        halcyx::sim::SimOptions options;
        EXPECT_TRUE(halcyx::sim::parseOptions(args, options)) << args[0];
    }
}

} // namespace
