// Cast file names, the cast information, the header and calibration files, the listing.

#include "core/acquisition/CastFiles.h"

#include "core/acquisition/CalibrationFile.h"
#include "core/acquisition/CastLifecycle.h"
#include "core/acquisition/ListingText.h"
#include "tests/acquisition/TestText.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using test::Lines;
using test::readFile;

TEST(CastFileNames, ReplaceTheExtensionOfTheFileNameOnly) {
    for (const char* data : {"/d/data.old/c1", "/d/data.old/c1.dat", "/d/data.old/c1."})
        EXPECT_EQ(castFileNamesFor(data).calibration, "/d/data.old/c1.C00") << data;
    EXPECT_EQ(castFileNamesFor("c1.dat").bottle, "c1.BTL");
}

TEST(CastInfo, CountsParametersAndNamesTheScanRate) {
    CastInfo info;
    completeCastInfo(info, ScanLayout::Vexa, 0xFF0000 | 0x0307, "1234", 3, false, 812, {});
    EXPECT_EQ(info.parameters, "5"); // bits above 15 do not count
    EXPECT_EQ(info.scanRate, "4.08 Hz");
    // No rate selected keeps the earlier text; the Tavrin models have none.
    completeCastInfo(info, ScanLayout::Vexa, 1, "1", std::nullopt, true, 0, {});
    EXPECT_EQ(info.scanRate, "4.08 Hz");
    completeCastInfo(info, ScanLayout::TavrinP, 1, "1", 3, true, 0, {});
    EXPECT_EQ(info.scanRate, "N/A");
}

TEST(Calibration, LayoutLineSectionsAndLengthFollowTheChannels) {
    const DcConversions dc = buildDcConversions(DCChannelTable());
    struct Case {
        ScanLayout layout;
        ChannelMask mask;
        const char* layoutLine; // after "RECORD LAYOUT; SS-1,"
        const char* sections;
        std::size_t lines; // header, A to C, one section per channel, N
    };
    const Case cases[] = {
        {ScanLayout::TavrinCT, 0x3, "04-2,03-2,UU-1,TT-0", "A B C 4 3 N", 57},
        {ScanLayout::TavrinCT, 0x7, "04-2,03-2,99-2,UU-1,TT-0", "A B C 4 3 99 N", 73},
        {ScanLayout::TavrinP, 0x7, "02-2,99-2,100-2,UU-1,TT-0", "A B C 2 99 100 N", 64},
        {ScanLayout::Vexa, 0x7, "04-2,03-2,02-2,UU-1,TT-0", "A B C 4 3 2 N", 74},
        {ScanLayout::Vexa, 0x0209, "04-2,99-2,42-2,TT-0", "A B C 4 99 42 N", 74},
        {ScanLayout::Vexa, 0xFF3F,
         "04-2,03-2,02-2,UU-1,99-2,64-2,66-2,41-2,42-2,43-2,44-2,45-2,46-2,47-2,48-2,TT-0",
         "A B C 4 3 2 99 64 66 41 42 43 44 45 46 47 48 N", 250}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.layoutLine);
        const std::vector<std::string> lines =
            Lines(formatCalibration(c.layout, c.mask, dc, false));
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[2], std::string("RECORD LAYOUT; SS-1,") + c.layoutLine);
        std::string sections;
        for (const std::string& line : lines)
            if (line.starts_with('*'))
                sections += (sections.empty() ? "" : " ") + line.substr(1);
        EXPECT_EQ(sections, c.sections);
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
    const std::vector<std::string> lines =
        Lines(formatCalibration(ScanLayout::Vexa, 0x0201, buildDcConversions(table), true));
    EXPECT_EQ(lines[3], "NMEA: YES");
    const auto dc = std::find(lines.begin(), lines.end(), "*42");
    ASSERT_LE(dc + 16, lines.end());
    EXPECT_EQ(dc[1], "Fluor");
    EXPECT_EQ(dc[2], std::string(40, ' ') + ";");
    EXPECT_EQ(
        std::vector<std::string>(dc + 9, dc + 16),
        (std::vector<std::string>{"   A ; -2.5000000e-01", "   B ; 0.0000000e+00",
                                  "   C ; 0.0000000e+00", "   D ; 2.0000000e+00",
                                  "   E ; 1.0000000e+00", " LAG ; 0.0", "LAG'; 0.0000000E+00"}));
    EXPECT_EQ(Lines(formatCalibration(ScanLayout::Vexa, 1, {}, false))[3], "NMEA: NO");
}

TEST(CastLifecycle, EndsInOrderAndWritesWhatTheOperatorConfirmed) {
    test::TempFolder dir;
    RecordFile data;
    CastInfo info;
    info.dataFile = "/earlier/cast.dat";
    // A file that cannot be created changes nothing.
    EXPECT_FALSE(startCastFiles(data, info, "/nonexistent/dir/cast.dat", {}));
    EXPECT_EQ(info.dataFile, "/earlier/cast.dat");
    EXPECT_TRUE(info.date.empty());

    std::tm start{}; // 7 March 2026, 04:00
    start.tm_year = 2026 - 1900, start.tm_mon = 2, start.tm_mday = 7, start.tm_hour = 4;
    ASSERT_TRUE(startCastFiles(data, info, (dir / "up.dat").string(), start));
    data.writeRecord("1,2,3");
    bool bottleClosed = false;
    const CastSummary cast{ScanLayout::Vexa, 0x7, "SN-17", 1, false, 1, true};
    EXPECT_FALSE(endCastFiles(
        data, [&] { bottleClosed = !data.isOpen(); }, info, cast, {}, start,
        [&](CastInfo& shown) {
            EXPECT_TRUE(bottleClosed);
            shown.vessel = "Research Vessel Hx"; // cut to 13 characters
            shown.depth = "120";
        }));
    EXPECT_EQ(readFile(dir / "up.dat"), "1,2,3\r\n");
    const std::vector<std::string> header = Lines(readFile(dir / "up.Hdr"));
    ASSERT_EQ(header.size(), 14u);
    EXPECT_EQ(header[0], "  Vessel: Research Vess|Cruise #:              |");
    EXPECT_EQ(header[2], " Inst. #: SN-17        | Direct.: Up           |");
    EXPECT_EQ(header[3], "CAL Extn: C00          |    Date: 03-07-2026   |");
    EXPECT_EQ(header[7], "   Depth: 120   Meters |    Obs.: 1            |");
    EXPECT_EQ(header[8], "AverOver: 0            |ScanRate: 2.58 Hz      |");
    EXPECT_EQ(header[13], "-----------------------------------------------|");
    EXPECT_NE(readFile(dir / "up.C00").find("\r\nNMEA: YES\r\n"), std::string::npos);
}

TEST(ListingText, ClearsWhenAverageLineLengthTimesLinesExceedsTheLimit) {
    ListingText listing;
    const std::string line(100, 'x'); // 100 x 150 = 15000: not yet over
    for (int n = 0; n < 150; ++n)
        listing.append(line);
    EXPECT_EQ(listing.text().size(), 150u * 102u);
    listing.append(line);
    EXPECT_TRUE(listing.text().empty());
    listing.append("abc");
    EXPECT_EQ(listing.text(), "abc\r\n");
}

} // namespace
} // namespace halcyx
