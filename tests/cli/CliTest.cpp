// The halcyx-cli program as its users run it: help, bad arguments, results and files.

#include "core/instrument/SettingsReader.h"
#include "core/memory/MemoryDownload.h"
#include "tests/acquisition/TestText.h"
#include "tests/support/SimRig.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
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

// Runs the program in directory dir with the arguments, which are separated by spaces,
// after the shell commands of prefix.
Result Cli(const std::string& args, const fs::path& dir = fs::temp_directory_path(),
           const std::string& prefix = "") {
    TempFolder capture;
    std::string command = "cd '" + dir.string() + "' && " + prefix + " '" HALCYX_CLI "'";
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
        {"replay --model ct --mask 3 --lat 90.5 s o.dat", 2, "--lat must lie from -90 to 90"},
        {"replay --model ct --mask 3 --lat -91 s o.dat", 2, "--lat must lie from -90 to 90"},
        {"replay --model ct --mask 3 --pressure 1e30 s o.dat", 2, "--pressure is too large"},
        {"replay --model ct --mask 3 --pressure 1e6 s o.dat", 2, "--pressure is too large"},
        {"replay --model vexa3 --mask 7 --cfg / s o.dat", 2, "--cfg must name a configuration"},
        {"replay --model vexa3 --mask 7 --cfg /dev/zero s o.dat", 2,
         "--cfg must name a configuration"},
        {"replay --model ct --mask 3 / o.dat", 1, "cannot read /: Is a directory"},
        {"replay --model ct --mask 3 --cfg c.CFG s o.dat", 2, "--cfg applies to the Vexa models"},
        {"replay --model ct --mask 3 /nonexistent/s.raw o.dat", 1,
         "cannot read /nonexistent/s.raw"},
        {"replay --model vexa3 --mask 307 --cfg /nonexistent/c.CFG /dev/null o.dat", 1,
         "cannot read /nonexistent/c.CFG"},
        {"decode --help", 0, "Usage: halcyx-cli decode --model"},
        {"decode --model ct --mask 3 d o.Dat", 2, "--bytes-per-scan is required"},
        {"decode --model ct --mask 3 --bytes-per-scan 2.5 d o.Dat", 2, "a whole number from 1"},
        {"decode --model ct --mask 3 --bytes-per-scan 8 --scaled d o.Dat", 2,
         "--scaled applies to the Vexa 3 only"},
        {"decode --model vexa3 --mask 7 --bytes-per-scan 6 --scaled d o.Dat", 2, "needs --divisor"},
        {"decode --model vexa3 --mask 7 --bytes-per-scan 6 --divisor 60 d o.Dat", 2,
         "--divisor goes with --scaled"},
        {"decode --model vexa2 --mask 7 --bytes-per-scan 6 d o.Dat", 2,
         "the channels need 12 bytes per scan, not 6"},
        {"decode --model p --mask 7 --bytes-per-scan 8 --scans -1 d o.Dat", 2, "--scans must be"},
        {"decode --model ct --mask 3 --bytes-per-scan 4 d", 2, "expected DUMP.bin and OUT.Dat"},
        {"decode --model ct --mask 3 --bytes-per-scan 4 / o.Dat", 1,
         "cannot read /: Is a directory"},
        {"decode --model ct --mask 3 --bytes-per-scan 4 /dev/null /nonexistent/o.Dat", 1,
         "cannot create /nonexistent/o.Dat"}};
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

TEST(Cli, DecodeWritesTheFilesOfADownload) {
    TempFolder dir;
    // Three scaled Vexa scans of C, T, P and time, the extra scan of zeros a long download
    // asks for, and a scan cut short.
    const std::string scan = std::string("\x90\x88\x5D\xC0\x18\x9C\x6B\x15\x4E\x40", 10);
    writeFile(dir / "v.bin", scan + scan + scan + std::string(10, '\0') + "\x90\x88");
    Result r = Cli("decode --model vexa3 --mask F --bytes-per-scan 10 --scaled --divisor 60 "
                   "--scans 3 v.bin v.Dat",
                   dir / "");
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::string line = "+35.0000, +10.0000, +100.0000, 12:00:00 12-06-2026\r\n";
    EXPECT_EQ(readFile(dir / "v.Dat"), line + line + line);
    EXPECT_NE(readFile(dir / "v.Hdr").find("|    Obs.: 3    "), std::string::npos);
    EXPECT_NE(readFile(dir / "v.C00"), "");

    // A Tavrin P file opens with its deployment information; the last scan stays undecoded.
    writeFile(dir / "p.bin", std::string("\xA4\x10\xC8\x7D\xA4\x10\xC8\x7D", 8));
    r = Cli("decode --model p --mask 5 --bytes-per-scan 4 p.bin p.Dat", dir / "");
    ASSERT_EQ(r.exit, 0) << r.err;
    const std::vector<std::string> lines = Lines(readFile(dir / "p.Dat"));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0], "Deploy Number: ");
    EXPECT_EQ(lines[10], "    PRES      BAROMETER ");
    EXPECT_EQ(lines[11], " +50.000, +1013.250");
    EXPECT_FALSE(fs::exists(dir / "p.Hdr"));
}

// A download's raw bytes decode into the very data file the download wrote, across chunks
// and the one extra scan of the last.
TEST(Cli, DecodeOfADownloadsBytesGivesItsDataFile) {
    const struct {
        halcyx::ProductCode model;
        const char* name;
        int scans;
    } cases[] = {{halcyx::ProductCode::Vexa3, "vexa3", 1000},
                 {halcyx::ProductCode::Vexa2, "vexa2", 600},
                 {halcyx::ProductCode::TavrinCT, "ct", 2500}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        halcyx::test::SimRig rig(c.model);
        ASSERT_TRUE(rig.detector.Detect());
        halcyx::ReadSettings(rig.layer, rig.record, rig.settings);
        rig.instrument().preloadMemory(c.scans);
        const int perScan = int(rig.instrument().bytesPerScan());
        const auto divisor = halcyx::pressureDivisorFromAnswer(rig.ask("A1003", 30));
        TempFolder dir;
        halcyx::DCChannelTable dcTable;
        halcyx::CastInfo castInfo;
        halcyx::DeploymentInfo deployment;
        halcyx::MemoryDownload download(rig.layer,
                                        {c.model, rig.settings.channelMask, perScan,
                                         long(c.scans) * perScan, rig.record.scaledMemory, "1"},
                                        dcTable, castInfo, deployment, {},
                                        [] { return std::tm{}; });
        rig.op.expectMessage("Binary Memory Dump Complete", "Download", halcyx::Icon::None);
        ASSERT_EQ(download.download((dir / "m").string()),
                  halcyx::MemoryDownload::Result::Completed);

        char mask[16];
        std::snprintf(mask, sizeof mask, "%X", rig.settings.channelMask);
        const std::string scaled =
            rig.record.scaledMemory ? " --scaled --divisor " + std::to_string(*divisor) : "";
        const Result r = Cli("decode --model " + std::string(c.name) + " --mask " + mask +
                                 " --bytes-per-scan " + std::to_string(perScan) + scaled +
                                 " --scans " + std::to_string(c.scans) + " m.bin again.Dat",
                             dir.path());
        ASSERT_EQ(r.exit, 0) << r.err;
        EXPECT_GT(readFile(dir / "m.bin").size(), std::size_t(c.scans * perScan));
        EXPECT_EQ(readFile(dir / "again.Dat"), readFile(dir / "m.Dat"));
    }
}

// A stream of Vexa scans with C, T, P, DC1 and DC2, starting in the middle of a line.
std::string VexaStream(int scans) {
    std::string stream = "23.4,7.1\r\n";
    for (int n = 0; n < scans; ++n) {
        char line[64];
        std::snprintf(line, sizeof line, "%8.4f,%8.4f,%8.3f,%7.4f,0.25\r\n", 30 + n * 0.01,
                      10 - n * 0.01, n * 0.5, 1.5 + n * 0.001);
        stream += line;
    }
    return stream;
}

TEST(Cli, ReplayWritesTheCastFilesOfALiveCast) {
    TempFolder dir;
    const std::string stream = VexaStream(120);
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
    for (const char* part : {"RECORD LAYOUT; SS-1,04-2,03-2,02-2,UU-1,41-2,42-2,TT-0\r\n",
                             "*41\r\nO2,mg\r\n", "*42\r\nDC2\r\n"})
        EXPECT_NE(calibration.find(part), std::string::npos) << part;
}

// A full disk and a file-size limit: the first file refused is named, the tool stops with
// exit 1, and neither file ends inside a line.
TEST(Cli, ReplayReportsTheFirstFileItCannotWrite) {
    const struct {
        const char* full;    // the file that is /dev/full, if any
        const char* prefix;  // shell commands before the program
        const char* refused; // the file named
        const char* reason;
    } cases[] = {
        {"cast.dat", "", "cast.dat", "No space left on device"},
        {"cast.csv", "", "cast.csv", "No space left on device"},
        // 40 blocks of at least 512 bytes: the CSV table, with the longer lines, hits it first.
        {nullptr, "trap '' XFSZ; ulimit -f 40;", "cast.csv", "File too large"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        writeFile(dir / "v.raw", VexaStream(3000));
        if (c.full != nullptr)
            fs::create_symlink("/dev/full", dir / c.full);
        const Result r =
            Cli("replay --model vexa3 --mask 0x307 v.raw cast.dat", dir.path(), c.prefix);
        EXPECT_EQ(r.exit, 1) << c.refused;
        EXPECT_NE(r.err.find(std::string("cannot write ") + c.refused + ": " + c.reason),
                  std::string::npos)
            << r.err;
        const struct {
            const char* name;
            long commas; // in every whole line
        } files[] = {{"cast.dat", 4}, {"cast.csv", 11}};
        for (const auto& file : files) {
            if (c.full != nullptr && std::string(file.name) == c.full)
                continue;
            const std::string text = readFile(dir / file.name);
            EXPECT_TRUE(text.empty() || text.ends_with("\r\n")) << file.name << ", " << c.refused;
            for (const std::string& line : Lines(text))
                EXPECT_EQ(std::count(line.begin(), line.end(), ','), file.commas) << line;
        }
    }
}

#ifdef HALCYX_CLI_GRAPH
// The graph of a cast file with the settings file's title and ranges, as a page and a picture.
TEST(Cli, GraphDrawsACastFileAsPdfOrPng) {
    TempFolder dir;
    std::string cast;
    for (int n = 0; n < 200; ++n) {
        char line[64];
        std::snprintf(line, sizeof line, "%8.4f,%8.4f,%8.3f\r\n", 30 + 5 * std::sin(n / 20.0),
                      10 - n * 0.01, n * 0.5);
        cast += line;
    }
    writeFile(dir / "cast.DAT", cast);
    writeFile(dir / "h.ini", "[GRAPH]\nTitle=Station 14\n[YAXIS]\nY.Max=120\n");

    Result r = Cli("graph --model vexa3 --mask 7 --settings h.ini cast.DAT out.pdf", dir / "");
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(r.out, "200 scans drawn into out.pdf\n");
    const std::string toText = "pdftotext '" + (dir / "out.pdf").string() + "'";
    ASSERT_EQ(std::system(toText.c_str()), 0);
    const std::string text = readFile(dir / "out.txt");
    EXPECT_NE(text.find("Station 14"), std::string::npos);
    EXPECT_NE(text.find("120"), std::string::npos) << "the vertical range of the settings";

    r = Cli("graph --model vexa3 --mask 7 --settings h.ini --width 320 --height 240 cast.DAT "
            "out.PNG",
            dir / "");
    ASSERT_EQ(r.exit, 0) << r.err;
    EXPECT_EQ(readFile(dir / "out.PNG").substr(1, 3), "PNG");

    for (const char* bad : {"graph --model vexa3 --mask 7 cast.DAT out.svg",
                            "graph --model vexa3 --mask 7 --width 5 cast.DAT out.png",
                            "graph --model vexa3 --mask 7 cast.DAT"})
        EXPECT_EQ(Cli(bad, dir / "").exit, 2) << bad;
    EXPECT_EQ(Cli("graph --model vexa3 --mask 7 missing.DAT out.pdf", dir / "").exit, 1);
}
#endif

// The peak memory of a replay [KiB] of a stream of zero bytes of the given size.
long ReplayPeakKiB(const fs::path& dir, std::uintmax_t streamBytes) {
    const fs::path stream = dir / "zeros.raw";
    std::ofstream(stream).close();
    fs::resize_file(stream, streamBytes); // sparse: costs no disk
    const pid_t child = fork();
    if (child == 0) {
        const std::string out = (dir / "z.dat").string();
        execl(HALCYX_CLI, HALCYX_CLI, "replay", "--model", "vexa3", "--mask", "7", stream.c_str(),
              out.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return usage.ru_maxrss;
}

TEST(Cli, ReplayMemoryDoesNotGrowWithTheStream) {
    TempFolder dir;
    constexpr std::uintmax_t kMiB = 1024 * 1024;
    const long small = ReplayPeakKiB(dir.path(), kMiB);
    const long large = ReplayPeakKiB(dir.path(), 64 * kMiB);
    EXPECT_LT(large - small, 8 * 1024) << small << " KiB, then " << large << " KiB";
}

} // namespace
