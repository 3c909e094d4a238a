// What a download does around the decoder: its chunks, the Tavrin P head of the data file,
// and the header and calibration files it leaves.

#include "core/memory/DownloadFiles.h"
#include "core/memory/DumpPlan.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>
#include <vector>

namespace halcyx::test {
namespace {

// The DLEN of every chunk as the download asks, when each chunk brings what it asked for.
std::vector<long> chunks(long totalBytes, int bytesPerScan) {
    const DumpPlan plan(totalBytes, bytesPerScan);
    std::vector<long> asked;
    long current = plan.chunkScans();
    long received = 0;
    for (long chunk = 0; chunk < plan.chunkCount(); ++chunk) {
        current = plan.nextChunkScans(received, current);
        asked.push_back(current);
        received += current * bytesPerScan;
    }
    return asked;
}

TEST(DumpPlan, ChunksAndTheOneExtraScan) {
    const struct {
        long totalBytes;
        int bytesPerScan;
        std::vector<long> dlen;
    } cases[] = {
        {8096, 8, {1012}},              // at most one chunk's bytes: one chunk
        {8097, 8, {1012, 1}},           // no whole scan left: the last chunk asks for one
        {8104, 8, {1012, 2}},           // one scan left: the last chunk asks for two
        {8096 * 2, 8, {1012, 1012, 1}}, // nothing left: the last chunk asks for one
        {18000, 18, {449, 449, 103}},
        {20000, 10000, {1, 1, 1}}, // a scan longer than a chunk goes one at a time
        {4, 8, {0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chunks(c.totalBytes, c.bytesPerScan), c.dlen) << c.totalBytes;
    EXPECT_EQ(DumpPlan(18000, 18).scans(), 1000);
    EXPECT_EQ(DumpPlan(100, 0).chunkCount(), 0) << "no scans, no division by zero";
}

TEST(DownloadFiles, TavrinPHeadOfTheDataFile) {
    DeploymentInfo info;
    info.number = "7", info.mooring = "North", info.depth = "120";
    std::tm now{};
    now.tm_year = 126, now.tm_mon = 11, now.tm_mday = 6, now.tm_hour = 9, now.tm_min = 5;
    now.tm_sec = 3;
    prepareDeploymentInfo(info, now, "1234P-too-long");
    EXPECT_EQ(formatDeploymentHeader(info, 0x5), "Deploy Number: 7\n"
                                                 "      Mooring: North\n"
                                                 "     Position: \n"
                                                 "     Latitude: \n"
                                                 "    Longitude: \n"
                                                 "        Depth: 120\n"
                                                 "         Time: 09:05:03\n"
                                                 "         Date: 12-06-2026\n"
                                                 "Serial Number: 1234P-too\n"
                                                 "\n"
                                                 "    PRES      BAROMETER \n");

    TempFolder folder;
    RecordFile file;
    ASSERT_TRUE(file.create((folder / "p.Dat").string()));
    writeLines(file, "a\n\nb\n");
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(readFile(folder / "p.Dat"), "a\r\n\r\nb\r\n");
}

TEST(DownloadFiles, HeaderTellsTheFrameLengthAndScans) {
    TempFolder folder;
    CastInfo info;
    prepareCastInfo(info, castFileNamesFor((folder / "m.Dat").string()), std::tm{});
    DownloadSummary download{ScanLayout::Vexa, 0x107, 18, "1234", 2, 500};
    bool edited = false;
    const auto failure = writeDownloadFiles(info, download, buildDcConversions(DCChannelTable()),
                                            std::tm{}, [&](CastInfo&) { edited = true; });
    EXPECT_EQ(failure, std::nullopt);
    EXPECT_TRUE(edited);
    const std::string header = readFile(folder / "m.Hdr");
    for (const char* part :
         {" Inst. #: 1234         | Direct.: Down", "Obs.: 500", "ScanRate: 3.03 Hz"})
        EXPECT_NE(header.find(part), std::string::npos) << header;
    EXPECT_EQ(info.frameLength, "18");
    EXPECT_EQ(info.parameters, "4");
    EXPECT_FALSE(readFile(folder / "m.C00").empty());
}

} // namespace
} // namespace halcyx::test
