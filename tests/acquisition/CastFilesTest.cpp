// Cast file names, the header and calibration files, the data file and its durability.

#include "acquisition/CastFiles.h"

#include "RecordingSink.h"
#include "TempFolder.h"
#include "acquisition/CalibrationFile.h"
#include "acquisition/CastLifecycle.h"
#include "acquisition/ListingText.h"
#include "acquisition/ScanParser.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace halcyx {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    return lines;
}

TEST(CastFileNames, ReplaceTheExtensionOfTheFileNameOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/op/cast1.dat", "/home/op/cast1.C00"},
        {"/data/data.old/cast1.dat", "/data/data.old/cast1.C00"},
        {"/data/data.old/cast1", "/data/data.old/cast1.C00"},
        {"cast", "cast.C00"},
        {"cast.", "cast.C00"},
    };
    for (const auto& [data, calibration] : cases)
        EXPECT_EQ(CastFileNamesFor(data).calibration, calibration) << data;
    const CastFileNames names = CastFileNamesFor("/data/data.old/cast1.dat");
    EXPECT_EQ(names.data, "/data/data.old/cast1.dat");
    EXPECT_EQ(names.header, "/data/data.old/cast1.Hdr");
    EXPECT_EQ(names.bottle, "/data/data.old/cast1.BTL");
}

std::tm Clock(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(CastInfo, IsFilledAtStartAndEndOfTheCast) {
    CastInfo info;
    PrepareCastInfo(info, CastFileNamesFor("/d/c.dat"), Clock(2026, 3, 7, 4, 5, 6));
    EXPECT_EQ(info.date, "03-07-2026");
    EXPECT_EQ(info.startTime, "04:05:06");
    CompleteCastInfo(info, ScanLayout::Vexa, 0xFF0000 | 0x0307, "1234", 3, false, 812,
                     Clock(2026, 3, 7, 5, 0, 9));
    EXPECT_EQ(info.parameters, "5"); // bits above 15 do not count
    EXPECT_EQ(info.instrument, "1234");
    EXPECT_EQ(info.scanRate, "4.08 Hz");
    EXPECT_EQ(info.direction, "Up");
    EXPECT_EQ(info.observations, "812");
    // No rate selected keeps the earlier text; the Tavrin models have none.
    CompleteCastInfo(info, ScanLayout::Vexa, 1, "1", std::nullopt, true, 0, {});
    EXPECT_EQ(info.scanRate, "4.08 Hz");
    CompleteCastInfo(info, ScanLayout::TavrinP, 1, "1", 3, true, 0, {});
    EXPECT_EQ(info.scanRate, "N/A");
}

TEST(CastHeader, PlacesValuesAtColumnsTenAndThirtyFourCutToThirteen) {
    CastInfo info;
    info.vessel = "Research Vessel Hx"; // 18 characters
    info.cruise = "C-7";
    info.date = "03-07-2026";
    info.depth = "120";
    info.observations = "812";
    info.scanRate = "4.08 Hz";
    const std::vector<std::string> lines = SplitLines(FormatCastHeader(info));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "  Vessel: Research Vess|Cruise #: C-7          |");
    EXPECT_EQ(lines[3], "CAL Extn: C00          |    Date: 03-07-2026   |");
    EXPECT_EQ(lines[7], "   Depth: 120   Meters |    Obs.: 812          |");
    EXPECT_EQ(lines[8], "AverOver: 0            |ScanRate: 4.08 Hz      |");
    EXPECT_EQ(lines[13], "-----------------------------------------------|");
}

std::vector<std::string> Sections(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& line : lines)
        if (!line.empty() && line[0] == '*')
            out.push_back(line);
    return out;
}

TEST(Calibration, LayoutLineSectionsAndLengthFollowTheChannels) {
    using V = std::vector<std::string>;
    const DcConversions dc = BuildDcConversions(DCChannelTable());
    struct Case {
        const char* name;
        ScanLayout layout;
        std::uint32_t mask;
        const char* layoutLine;
        V sections;
        std::size_t lines;
    };
    const Case cases[] = {
        {"Tavrin CT without time",
         ScanLayout::TavrinCT,
         0x3,
         "RECORD LAYOUT; SS-1,04-2,03-2,UU-1,TT-0",
         {"*A", "*B", "*C", "*4", "*3", "*N"},
         3 + 49 + 5},
        {"Tavrin CT with time",
         ScanLayout::TavrinCT,
         0x7,
         "RECORD LAYOUT; SS-1,04-2,03-2,99-2,UU-1,TT-0",
         {"*A", "*B", "*C", "*4", "*3", "*99", "*N"},
         3 + 49 + 16 + 5},
        {"Tavrin P with time and barometer",
         ScanLayout::TavrinP,
         0x7,
         "RECORD LAYOUT; SS-1,02-2,99-2,100-2,UU-1,TT-0",
         {"*A", "*B", "*C", "*2", "*99", "*100", "*N"},
         3 + 29 + 16 + 11 + 5},
        {"Vexa C, T, P",
         ScanLayout::Vexa,
         0x7,
         "RECORD LAYOUT; SS-1,04-2,03-2,02-2,UU-1,TT-0",
         {"*A", "*B", "*C", "*4", "*3", "*2", "*N"},
         4 + 13 + 20 + 16 + 16 + 5},
        {"Vexa time without pressure, DC2",
         ScanLayout::Vexa,
         0x0209,
         "RECORD LAYOUT; SS-1,04-2,99-2,42-2,TT-0",
         {"*A", "*B", "*C", "*4", "*99", "*42", "*N"},
         4 + 13 + 20 + 16 + 16 + 5},
        {"Vexa everything",
         ScanLayout::Vexa,
         0xFF3F,
         "RECORD LAYOUT; SS-1,04-2,03-2,02-2,UU-1,99-2,64-2,66-2,41-2,42-2,43-2,44-2,45-2,46-2,"
         "47-2,48-2,TT-0",
         {"*A", "*B", "*C", "*4", "*3", "*2", "*99", "*64", "*66", "*41", "*42", "*43", "*44",
          "*45", "*46", "*47", "*48", "*N"},
         4 + 13 + 20 + 5 * 16 + 8 * 16 + 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const V lines = SplitLines(FormatCalibration(c.layout, c.mask, dc, false));
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[2], c.layoutLine);
        EXPECT_EQ(Sections(lines), c.sections);
        EXPECT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.back(), "CALIBRATION");
    }
}

TEST(Calibration, DcSectionsCarryTheLabelAndTheCoefficientsHighestPowerFirst) {
    DCChannelTable table;
    table.setName(1, "Fluor");
    table.setTerm(1, 0, "1");
    table.setTerm(1, 1, "2");
    table.setTerm(1, 4, "-2.5e-1");
    const std::string text =
        FormatCalibration(ScanLayout::Vexa, 0x0201, BuildDcConversions(table), true);
    const std::vector<std::string> lines = SplitLines(text);
    EXPECT_EQ(lines[3], "NMEA: YES");
    const auto section = std::find(lines.begin(), lines.end(), "*42");
    ASSERT_NE(section, lines.end());
    const std::vector<std::string> dc(section, section + 16);
    EXPECT_EQ(dc[1], "Fluor");
    EXPECT_EQ(dc[2], std::string(40, ' ') + ";");
    EXPECT_EQ(dc[9], "   A ; -2.5000000e-01");
    EXPECT_EQ(dc[10], "   B ; 0.0000000e+00");
    EXPECT_EQ(dc[11], "   C ; 0.0000000e+00");
    EXPECT_EQ(dc[12], "   D ; 2.0000000e+00");
    EXPECT_EQ(dc[13], "   E ; 1.0000000e+00");
    EXPECT_EQ(dc[14], " LAG ; 0.0");
    EXPECT_EQ(dc[15], "LAG'; 0.0000000E+00");
    EXPECT_EQ(SplitLines(FormatCalibration(ScanLayout::Vexa, 1, {}, false))[3], "NMEA: NO");
}

TEST(CastDataFile, AppendsRecordsAcrossReopening) {
    test::TempFolder dir;
    const std::string path = (dir / "cast.dat").string();
    CastDataFile file;
    ASSERT_TRUE(file.Create(path));
    file.WriteRecord("1.0,2.0");
    file.Flush();
    EXPECT_EQ(test::readFile(path), "1.0,2.0\r\n");
    ASSERT_TRUE(file.Reopen());
    file.WriteRecord("3.0,4.0");
    file.Close();
    EXPECT_EQ(test::readFile(path), "1.0,2.0\r\n3.0,4.0\r\n");
    EXPECT_FALSE(file.Create((dir / "no" / "cast.dat").string()));
    EXPECT_FALSE(file.isOpen());
    // Header and calibration files replace what was there.
    ASSERT_TRUE(WriteTextFile(path, "one\ntwo\n"));
    EXPECT_EQ(test::readFile(path), "one\r\ntwo\r\n");
}

TEST(CastLifecycle, AFileThatCannotBeCreatedChangesNothing) {
    CastInfo info;
    info.dataFile = "/earlier/cast.dat";
    CastDataFile data;
    EXPECT_FALSE(StartCastFiles(data, info, "/nonexistent/dir/cast.dat", {}));
    EXPECT_EQ(info.dataFile, "/earlier/cast.dat");
    EXPECT_TRUE(info.date.empty());
}

TEST(CastLifecycle, EndsInOrderAndWritesWhatTheOperatorConfirmed) {
    test::TempFolder dir;
    CastDataFile data;
    CastInfo info;
    ASSERT_TRUE(StartCastFiles(data, info, (dir / "up.dat").string(), Clock(2026, 1, 2, 3, 4, 5)));
    data.WriteRecord("1,2,3");
    bool bottleClosed = false;
    CastSummary cast{ScanLayout::Vexa, 0x7, "SN-17", 1, false, 1, true};
    const bool written = EndCastFiles(
        data, [&] { bottleClosed = !data.isOpen(); }, info, cast, {}, Clock(2026, 1, 2, 3, 9, 0),
        [&](CastInfo& shown) {
            EXPECT_TRUE(bottleClosed);
            EXPECT_EQ(shown.direction, "Up");
            EXPECT_EQ(shown.observations, "1");
            EXPECT_EQ(shown.scanRate, "2.58 Hz");
            shown.vessel = "Typed";
        });
    ASSERT_TRUE(written);
    EXPECT_EQ(test::readFile(dir / "up.dat"), "1,2,3\r\n");
    const std::string header = test::readFile(dir / "up.Hdr");
    EXPECT_EQ(header.substr(0, 50), "  Vessel: Typed        |Cruise #:              |\r\n");
    EXPECT_NE(header.find(" Inst. #: SN-17        | Direct.: Up           |\r\n"),
              std::string::npos);
    EXPECT_NE(test::readFile(dir / "up.C00").find("\r\nNMEA: YES\r\n"), std::string::npos);
}

// Writes scans into a cast data file the way the acquisition window does.
class FileSink : public test::RecordingSink {
public:
    explicit FileSink(CastDataFile& file) : file_(file) {}
    void writeRecord(std::string_view line) override { file_.WriteRecord(line); }
    void flushRecords() override { file_.Flush(); }
    void reopenDataFile() override { file_.Reopen(); }

private:
    CastDataFile& file_;
};

// A program killed in the middle of a cast keeps every record of its finished ticks, even
// between the periodic reopenings of the file.
TEST(CastDataFile, KeepsEveryFinishedTicksRecordsWhenTheProgramIsKilled) {
    test::TempFolder dir;
    const std::string path = (dir / "killed.dat").string();
    int report[2];
    int resume[2];
    ASSERT_EQ(pipe(report), 0);
    ASSERT_EQ(pipe(resume), 0);
    constexpr int kTicks = 9;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CastDataFile file;
        if (!file.Create(path))
            _exit(1);
        ScanParser parser(ScanLayout::Vexa, 0x0007, DCChannelTable());
        parser.StartCast();
        FileSink sink(file);
        std::string tick = std::string(250, 'z') + "\r\n";
        for (int n = 0; n < kTicks * 8 + 2; ++n) {
            tick += "30.0000,10.0000," + std::to_string(100 + n % 10) + ".000\r\n";
            if (n % 8 == 7) {
                parser.Tick({reinterpret_cast<const std::uint8_t*>(tick.data()), tick.size()},
                            sink);
                tick.clear();
            }
        }
        const int written = parser.scanCount();
        char go = 0;
        if (write(report[1], &written, sizeof written) != sizeof written ||
            read(resume[0], &go, 1) < 0)
            _exit(1);
        _exit(0); // not reached before the kill
    }
    int written = 0;
    ASSERT_EQ(read(report[0], &written, sizeof written), static_cast<ssize_t>(sizeof written));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_GT(written % ScanParser::kReopenPeriod, 0); // not just after a reopening
    const std::string text = test::readFile(path);
    EXPECT_EQ(SplitLines(text).size(), static_cast<std::size_t>(written));
    EXPECT_TRUE(text.ends_with("\r\n"));
}

TEST(ListingText, ClearsWhenAverageLineLengthTimesLinesExceedsTheLimit) {
    ListingText listing;
    const std::string line(100, 'x'); // 100 x 150 = 15000: not yet over
    for (int n = 0; n < 150; ++n)
        listing.Append(line);
    EXPECT_EQ(listing.text().size(), 150u * 102u);
    listing.Append(line);
    EXPECT_TRUE(listing.text().empty());
    listing.Append("abc");
    EXPECT_EQ(listing.text(), "abc\r\n");
}

} // namespace
} // namespace halcyx
