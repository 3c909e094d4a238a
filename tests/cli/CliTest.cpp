// The halcyx-cli program as its users run it: help, bad arguments, results and files.

#include "TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

struct Result {
    int exit;
    std::string out;
    std::string err;
};

// Runs the program with arguments (each quoted for the shell) in directory dir.
Result Cli(const std::vector<std::string>& args, const fs::path& dir = fs::temp_directory_path()) {
    halcyx::test::TempFolder capture;
    std::string command = "cd '" + dir.string() + "' && '" HALCYX_CLI "'";
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " >'" + (capture / "out").string() + "' 2>'" + (capture / "err").string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, halcyx::test::readFile(capture / "out"),
            halcyx::test::readFile(capture / "err")};
}

TEST(Cli, ExplainsItselfAndRejectsBadArguments) {
    struct Case {
        std::vector<std::string> args;
        int exit;
        const char* message; // expected in stdout (exit 0) or stderr
    };
    const Case cases[] = {
        {{"--help"}, 0, "Usage: halcyx-cli COMMAND"},
        {{"seawater", "--help"}, 0, "Usage: halcyx-cli seawater C T P"},
        {{"replay", "--help"}, 0, "Usage: halcyx-cli replay --model"},
        {{}, 2, "Usage: halcyx-cli COMMAND"},
        {{"melt"}, 2, "unknown command 'melt'"},
        {{"seawater", "1", "2"}, 2, "expected 3 numbers, got 2"},
        {{"seawater", "1", "2", "three"}, 2, "'three' is not a number"},
        {{"seawater", "1", "2", "3", "--lat", "north"}, 2, "--lat needs a number, not 'north'"},
        {{"seawater", "1", "2", "3", "--depth", "4"}, 2, "unknown option --depth"},
        {{"replay", "--model", "vexa4", "--mask", "7", "s", "o.dat"}, 2, "unknown model 'vexa4'"},
        {{"replay", "--model", "ct", "--mask", "zz", "s", "o.dat"},
         2,
         "'zz' is not a hexadecimal channel mask"},
        {{"replay", "--model", "ct", "--mask", "0x10000", "s", "o.dat"}, 2, "no channel on"},
        {{"replay", "--model", "ct", "--mask", "3", "--pressure", "-5", "s", "o.dat"},
         2,
         "--pressure must not be negative"},
        {{"replay", "--model", "ct", "--mask", "3", "s"}, 2, "expected STREAM and OUT.DAT"},
        {{"replay", "--model", "ct", "--mask", "3", "/nonexistent/s.raw", "o.dat"},
         1,
         "cannot read /nonexistent/s.raw"},
    };
    for (const Case& c : cases) {
        std::string name;
        for (const std::string& arg : c.args)
            name += arg + " ";
        SCOPED_TRACE(name);
        const Result r = Cli(c.args);
        EXPECT_EQ(r.exit, c.exit);
        EXPECT_NE((c.exit == 0 ? r.out : r.err).find(c.message), std::string::npos)
            << r.out << r.err;
    }
}

TEST(Cli, SeawaterPrintsSixNamedValuesWithUnits) {
    const Result r = Cli({"seawater", "42.914", "15", "0", "--lat", "-30"});
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    const char* names[] = {"salinity PSU",
                           "adiabatic_gradient degC/dbar",
                           "potential_temperature degC",
                           "density_anomaly kg/m3",
                           "depth m",
                           "sound_speed m/s"};
    ASSERT_EQ(lines.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        std::istringstream fields(lines[i]);
        std::string name, unit;
        double value = 0;
        fields >> name >> value >> unit;
        EXPECT_TRUE(fields && fields.eof()) << lines[i];
        EXPECT_EQ(name + " " + unit, names[i]);
    }
    EXPECT_EQ(lines[0].substr(0, 13), "salinity 34.9");
    EXPECT_EQ(lines[2], "potential_temperature 15 degC");
    EXPECT_EQ(lines[4], "depth 0 m");
    const Result given = Cli({"seawater", "--salinity", "35", "15", "0"});
    EXPECT_EQ(Lines(given.out)[0], "salinity 35 PSU");
}

// 120 scan lines of a Vexa with C, T, P and DC1, starting in the middle of a line.
std::string VexaStream() {
    std::string s = "23.4,7.1\r\n";
    for (int n = 0; n < 120; ++n) {
        char line[64];
        std::snprintf(line, sizeof line, "%8.4f,%8.4f,%8.3f,%7.4f\r\n", 30 + n * 0.01,
                      10 - n * 0.01, n * 0.5, 1.5 + n * 0.001);
        s += line;
    }
    return s;
}

TEST(Cli, ReplayWritesTheCastFilesOfALiveCast) {
    halcyx::test::TempFolder dir;
    const std::string stream = VexaStream();
    std::ofstream(dir / "v.raw", std::ios::binary) << stream;
    // A file name without directory or extension.
    const Result r =
        Cli({"replay", "--model", "vexa3", "--mask", "0x107", "v.raw", "cast"}, dir / "");
    ASSERT_EQ(r.exit, 0) << r.err;

    // Lines 0 and 1 synchronise; the last two stay within the margin when the cast ends.
    const std::vector<std::string> input = Lines(stream);
    const std::vector<std::string> expected(input.begin() + 3, input.end() - 2);
    const std::string data = halcyx::test::readFile(dir / "cast");
    EXPECT_EQ(Lines(data), expected);
    EXPECT_EQ(data.find("\n\n"), std::string::npos);
    EXPECT_NE(data.find("\r\n"), std::string::npos);

    const std::vector<std::string> csv = Lines(halcyx::test::readFile(dir / "cast.csv"));
    ASSERT_EQ(csv.size(), expected.size() + 1);
    EXPECT_EQ(csv[0], "SCANS,COND,TEMP,PRES,DC1,*SAL,*ATG,*POT,*DEN,*DEPTH,*SVEL");
    EXPECT_EQ(csv[1].substr(0, 40), "0,30.0200005,9.97999954,1,1.50199997,26.");
    EXPECT_EQ(csv.back().substr(0, 4), "115,");

    const std::vector<std::string> header = Lines(halcyx::test::readFile(dir / "cast.Hdr"));
    ASSERT_EQ(header.size(), 14u);
    EXPECT_EQ(header[2], " Inst. #:              | Direct.: Down         |");
    EXPECT_EQ(header[7], "   Depth:       Meters |    Obs.: 116          |");
    EXPECT_EQ(Lines(halcyx::test::readFile(dir / "cast.C00"))[2],
              "RECORD LAYOUT; SS-1,04-2,03-2,02-2,UU-1,41-2,TT-0");
}

TEST(Cli, ReplayTakesDcChannelsFromAConfigurationFile) {
    halcyx::test::TempFolder dir;
    std::string stream = "x\r\n";
    for (int n = 0; n < 20; ++n)
        stream += "30.0000,10.0000,5.000,0.5000,0.2500\r\n";
    std::ofstream(dir / "v.raw", std::ios::binary) << stream;
    std::ofstream(dir / "ctd.CFG") << "[DC_CHANNELS]\nDC1.Name=O2,mg\nDC1.term0=1\n"
                                      "DC1.term1=2\nDC2.term0=7\n";
    const Result r =
        Cli({"replay", "--model", "vexa2", "--mask", "307", "--cfg", "ctd.CFG", "v.raw", "v.dat"},
            dir / "");
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> csv = Lines(halcyx::test::readFile(dir / "v.csv"));
    ASSERT_GT(csv.size(), 1u);
    EXPECT_EQ(csv[0].substr(0, 37), "SCANS,COND,TEMP,PRES,\"O2,mg\",DC2,*SAL");
    // DC1: 1 + 2 * 0.5; DC2 has no name, so its raw value whatever its terms say.
    EXPECT_EQ(csv[1].substr(0, 17), "0,30,10,5,2,0.25,");
    const std::string calibration = halcyx::test::readFile(dir / "v.C00");
    EXPECT_NE(calibration.find("*41\r\nO2,mg\r\n"), std::string::npos);
    EXPECT_NE(calibration.find("*42\r\nDC2\r\n"), std::string::npos);

    EXPECT_EQ(
        Cli({"replay", "--model", "vexa3", "--mask", "307", "--cfg", "none.CFG", "v.raw", "w.dat"},
            dir / "")
            .exit,
        1);
    const Result ct = Cli(
        {"replay", "--model", "ct", "--mask", "3", "--cfg", "ctd.CFG", "v.raw", "w.dat"}, dir / "");
    EXPECT_EQ(ct.exit, 2);
    EXPECT_NE(ct.err.find("--cfg applies to the Vexa models only"), std::string::npos);
}

} // namespace
