// The halcyx-cli program as its users run it: help, bad arguments, results and files.

#include "tests/acquisition/TestText.h"
#include "tests/support/TempFolder.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using halcyx::test::Lines;
using halcyx::test::readFile;
using halcyx::test::TempFolder;
using halcyx::test::writeFile;

struct Result {
    int exit;
    std::string out;
    std::string err;
};

// Runs the program in directory dir with the arguments, which are separated by spaces.
Result Cli(const std::string& args, const fs::path& dir = fs::temp_directory_path()) {
    TempFolder capture;
    std::string command = "cd '" + dir.string() + "' && '" HALCYX_CLI "'";
    std::istringstream words(args);
    for (std::string arg; words >> arg;)
        command += " '" + arg + "'";
    command += " >'" + (capture / "out").string() + "' 2>'" + (capture / "err").string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(capture / "out"),
            readFile(capture / "err")};
}

TEST(Cli, ExplainsItselfAndRejectsBadArguments) {
    const struct {
        const char* args;
        int exit;
        const char* message; // expected in stdout (exit 0) or stderr
    } cases[] = {
        {"--help", 0, "Usage: halcyx-cli COMMAND"},
        {"seawater --help", 0, "Usage: halcyx-cli seawater C T P"},
        {"replay --help", 0, "Usage: halcyx-cli replay --model"},
        {"", 2, "Usage: halcyx-cli COMMAND"},
        {"melt", 2, "unknown command 'melt'"},
        {"seawater 1 2", 2, "expected 3 numbers, got 2"},
        {"seawater 1 2 three", 2, "'three' is not a number"},
        {"seawater 1 2 3 --lat north", 2, "--lat needs a number, not 'north'"},
        {"seawater 1 2 3 --depth 4", 2, "unknown option --depth"},
        {"replay --model vexa4 --mask 7 s o.dat", 2, "unknown model 'vexa4'"},
        {"replay --model ct --mask zz s o.dat", 2, "'zz' is not a hexadecimal channel mask"},
        {"replay --model ct --mask 0x10000 s o.dat", 2, "no channel on"},
        {"replay --model ct --mask 3 --pressure -5 s o.dat", 2, "--pressure must not be negative"},
        {"replay --model ct --mask 3 s", 2, "expected STREAM and OUT.DAT"},
        {"replay --model ct --mask 3 --cfg c.CFG s o.dat", 2, "--cfg applies to the Vexa models"},
        {"replay --model ct --mask 3 /nonexistent/s.raw o.dat", 1,
         "cannot read /nonexistent/s.raw"},
        {"replay --model vexa3 --mask 307 --cfg /nonexistent/c.CFG /dev/null o.dat", 1,
         "cannot read /nonexistent/c.CFG"}};
    for (const auto& c : cases) {
        const Result r = Cli(c.args);
        EXPECT_EQ(r.exit, c.exit) << c.args;
        EXPECT_NE((c.exit == 0 ? r.out : r.err).find(c.message), std::string::npos)
            << c.args << "\n"
            << r.out << r.err;
    }
}

TEST(Cli, SeawaterPrintsSixNamedValuesWithUnits) {
    const Result r = Cli("seawater 42.914 15 0 --lat -30");
    ASSERT_EQ(r.exit, 0) << r.err;
    std::string masked; // each value replaced by #
    std::istringstream words(r.out);
    for (std::string name, value, unit; words >> name >> value >> unit;)
        masked += name + (std::isfinite(std::stod(value)) ? " # " : " ? ") + unit + "\n";
    EXPECT_EQ(masked, "salinity # PSU\nadiabatic_gradient # degC/dbar\npotential_temperature # "
                      "degC\ndensity_anomaly # kg/m3\ndepth # m\nsound_speed # m/s\n");
    EXPECT_EQ(r.out.substr(0, 13), "salinity 34.9");
    EXPECT_NE(r.out.find("\npotential_temperature 15 degC\ndensity"), std::string::npos);
    EXPECT_NE(r.out.find("\ndepth 0 m\n"), std::string::npos);
    EXPECT_EQ(Cli("seawater --salinity 35 15 0").out.substr(0, 16), "salinity 35 PSU\n");
}

TEST(Cli, ReplayWritesTheCastFilesOfALiveCast) {
    TempFolder dir;
    // 120 scan lines of a Vexa with C, T, P, DC1 and DC2, starting in the middle of a line.
    std::string stream = "23.4,7.1\r\n";
    for (int n = 0; n < 120; ++n) {
        char line[64];
        std::snprintf(line, sizeof line, "%8.4f,%8.4f,%8.3f,%7.4f,0.25\r\n", 30 + n * 0.01,
                      10 - n * 0.01, n * 0.5, 1.5 + n * 0.001);
        stream += line;
    }
    writeFile(dir / "v.raw", stream);
    // DC1 is named and converted; DC2 has no name, so it keeps its raw value.
    writeFile(dir / "ctd.CFG", "[DC_CHANNELS]\nDC1.Name=O2,mg\nDC1.term0=1\nDC1.term1=2\n"
                               "DC2.term0=7\n");
    // A file name without directory or extension.
    const Result r = Cli("replay --model vexa3 --mask 0x307 --cfg ctd.CFG v.raw cast", dir / "");
    ASSERT_EQ(r.exit, 0) << r.err;

    // Lines 0 and 1 synchronise; the last two stay within the margin when the cast ends.
    const std::vector<std::string> input = Lines(stream);
    const std::string data = readFile(dir / "cast");
    EXPECT_EQ(Lines(data), std::vector<std::string>(input.begin() + 3, input.end() - 2));
    EXPECT_EQ(data.size(), 116 * (input[3].size() + 2)); // every line ends in CR LF

    const std::vector<std::string> csv = Lines(readFile(dir / "cast.csv"));
    ASSERT_EQ(csv.size(), 117u);
    EXPECT_EQ(csv[0], "SCANS,COND,TEMP,PRES,\"O2,mg\",DC2,*SAL,*ATG,*POT,*DEN,*DEPTH,*SVEL");
    EXPECT_EQ(csv[1].substr(0, 45),
              "0,30.0200005,9.97999954,1,4.00400019,0.25,26."); // 1 + 2 * 1.502
    EXPECT_EQ(csv.back().substr(0, 4), "115,");

    const std::vector<std::string> header = Lines(readFile(dir / "cast.Hdr"));
    ASSERT_EQ(header.size(), 14u);
    EXPECT_EQ(header[2], " Inst. #:              | Direct.: Down         |");
    EXPECT_EQ(header[7], "   Depth:       Meters |    Obs.: 116          |");
    const std::string calibration = readFile(dir / "cast.C00");
    EXPECT_NE(calibration.find("RECORD LAYOUT; SS-1,04-2,03-2,02-2,UU-1,41-2,42-2,TT-0\r\n"),
              std::string::npos);
    EXPECT_NE(calibration.find("*41\r\nO2,mg\r\n"), std::string::npos);
    EXPECT_NE(calibration.find("*42\r\nDC2\r\n"), std::string::npos);
}

} // namespace
