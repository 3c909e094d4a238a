// Retrieving logged memory: deploy, log, retrieve and download of each model against the
// simulated instruments, the RDM and RDPTR answers, the download's file names and files,
// and dumps that stop part-way or never come.
#include "core/memory/RetrieveData.h"

#include "core/instrument/DcChannelTable.h"
#include "core/instrument/Deployment.h"
#include "core/memory/MemoryDecoder.h"
#include "tests/instrument/Harness.h"
#include "tests/support/TempFolder.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace halcyx::test {
namespace {

constexpr const char* kDumpComplete = "Binary Memory Dump Complete";

std::tm fixedNow() {
    std::tm now{};
    now.tm_year = 126, now.tm_mon = 11, now.tm_mday = 6, now.tm_hour = 14, now.tm_min = 30;
    return now;
}

// The dialogs of a test: "Download" into fileName once, then close as the download ended.
struct ScriptedDownload : DownloadDialogRunner {
    bool runDownload(MemoryDownload& download) override {
        shownScans = download.scansShown();
        download.setUp();
        return download.download(fileName) == MemoryDownload::Result::Completed;
    }
    void editDeploymentInfo(DeploymentInfo& info) override { info.number = "42"; }
    void editCastInfo(CastInfo& info) override { info.vessel = "Halcyon"; }

    std::string fileName;
    long shownScans = -1;
};

// What the configuration window keeps for a retrieval.
struct Records {
    DCChannelTable dcTable;
    CastInfo castInfo;
    DeploymentInfo deployment;
    MemoryDownload download(CommandLayer& layer, const DownloadRequest& request) {
        return MemoryDownload(layer, request, dcTable, castInfo, deployment, {}, fixedNow);
    }
    RetrieveOutcome retrieve(CommandLayer& layer, InstrumentRecord& record,
                             InstrumentSettings& settings, DownloadDialogRunner& dialogs) {
        return RetrieveData(layer, {record, settings, dcTable, castInfo, deployment}, dialogs,
                            fixedNow);
    }
};

struct ContinuousChooser : DeployModeChooser {
    std::optional<DeployMode> chooseDeployMode(DeployMode) override {
        return DeployMode::Continuous;
    }
};

TEST(RetrieveData, EachModelDeploysLogsAndDownloadsWhatItLogged) {
    const struct {
        ProductCode model;
        long headLines; // of a Tavrin P's deployment header
    } cases[] = {{ProductCode::Vexa3, 0},
                 {ProductCode::Vexa2, 0},
                 {ProductCode::TavrinCT, 0},
                 {ProductCode::TavrinP, 11}};
    for (const auto& c : cases) {
        SCOPED_TRACE(modelText(c.model));
        SimRig rig(c.model);
        ASSERT_TRUE(rig.detector.Detect());
        const bool vexa = isVexa(c.model);
        if (vexa)
            rig.op.expectQuestion("Do you want to log data to memory?", "Memory", true)
                .expectQuestion("This will erase all data in memory!\n\nAre you sure?",
                                "Erase Data Memory", true);
        else
            rig.op.expectQuestion("Do you want to reset memory logging and zero memory?", "Memory",
                                  true);
        rig.op.expectMessage(
            "The Instrument is now in Run Mode!\nPress the ENTER key to request a line of data.",
            "Deploy", Icon::None);
        DeployMode mode = DeployMode::Continuous;
        ContinuousChooser chooser;
        ASSERT_EQ(Deploy(rig.layer, rig.record, mode, chooser, {}), DeployOutcome::Deployed);
        rig.clock.sleepMs(vexa ? 10'000 : 40'000);
        rig.settle();

        TempFolder folder;
        ScriptedDownload dialogs;
        dialogs.fileName = (folder / "cast.dat").string();
        rig.op
            .expectQuestion("The Instrument is currently deployed!\nStop deployment?", "Deploy",
                            true)
            .expectMessage(kDumpComplete, "Download", Icon::None);
        Records records;
        ASSERT_EQ(records.retrieve(rig.layer, rig.record, rig.settings, dialogs),
                  RetrieveOutcome::Downloaded);

        const std::string logged = rig.instrument().memory().contents();
        const long scans = long(logged.size() / rig.instrument().bytesPerScan());
        ASSERT_GT(scans, 3);
        EXPECT_EQ(readFile(folder / "cast.bin"), logged) << "the bytes as the instrument sent them";
        const long decoded = vexa ? scans : scans - 1; // a Tavrin's last scan is never whole
        EXPECT_EQ(dialogs.shownScans, decoded);
        EXPECT_EQ(long(lines(readFile(folder / "cast.Dat")).size()), c.headLines + decoded);
        if (c.model == ProductCode::TavrinP) {
            EXPECT_TRUE(readFile(folder / "cast.Dat").starts_with("Deploy Number: 42\r\n"));
            EXPECT_FALSE(std::filesystem::exists(folder / "cast.Hdr"));
            continue;
        }
        const std::string header = readFile(folder / "cast.Hdr");
        EXPECT_NE(header.find("Halcyon"), std::string::npos);
        EXPECT_NE(header.find("Obs.: " + std::to_string(scans)), std::string::npos) << header;
        EXPECT_FALSE(rig.record.deployed);
        EXPECT_EQ(rig.layer.mode(), InstrumentMode::Open);
    }
}

TEST(RetrieveData, BytesPerScanFromTheModelsRdmAnswer) {
    const struct {
        ProductCode model;
        const char* answer;
        std::optional<int> bytes;
    } cases[] = {
        {ProductCode::Vexa3, "RDM\r\nCH1=ON,CH2=ON,DC8=OFF,10 BYTES/SCAN\r\n", 10},
        {ProductCode::Vexa2, "CH1=ON,DC6=ON,22 BYTES/SCAN\r\n", 22},
        {ProductCode::Vexa2, "CH1=ON,DC8=ON,22 BYTES/SCAN\r\n", std::nullopt}, // not its marker
        {ProductCode::TavrinCT, "CH1=ON CH2=ON CH3=ON 8 BYTES/SCAN\r\n", 8},
        {ProductCode::TavrinP, "CH3=OFF\r6\r\n", 6},
        {ProductCode::Vexa3, "DC8=OFF,0 BYTES/SCAN", std::nullopt},
        {ProductCode::Vexa3, "DC8=OFF", std::nullopt},
        {ProductCode::None, "CH3=ON 8", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bytesPerScanFromRdm(c.answer, c.model), c.bytes) << c.answer;
    EXPECT_EQ(loggedBytesFromRdptr("\r\n 1 2 0\r\n"), 120);
    EXPECT_EQ(loggedBytesFromRdptr("RDPTR\r\n120"), 0);
}

// The retrieval's steps against a stand-in that answers as told.
struct Retrieval : OpenHarness {
    Retrieval() : OpenHarness(ProductCode::Vexa3) {
        settings.channelMask = 0x7; // conductivity, temperature, pressure: 6 bytes scaled
        record.scaledMemory = true;
    }
    std::map<std::string, std::string> answers = {
        {"CLOG", "\r\nData Logging is cleared\r\n"},
        {"RDM", "\r\nCH1=ON,...,DC8=OFF,6 BYTES/SCAN\r\n"},
        {"RDPTR", "\r\n600\r\n"},
        {"RHPTR", "\r\nHardware Pointer Reset\r\n"},
    };
    RetrieveOutcome run() {
        line.answer(answers);
        return records.retrieve(layer, record, settings, dialogs);
    }
    Records records;
    ScriptedDownload dialogs;
};

TEST(RetrieveData, ScansShorterThanTheirChannelsAreRefused) {
    Retrieval r;
    r.answers["RDM"] = "\r\nCH1=ON,...,DC8=OFF,4 BYTES/SCAN\r\n";
    r.op.expectMessage("The instrument logs 4 bytes per scan, but its channels need 6.\nThe memory "
                       "cannot be decoded.",
                       "RDM Command Error", Icon::Stop);
    EXPECT_EQ(r.run(), RetrieveOutcome::Failed);
    EXPECT_EQ(r.lines(), (std::vector<std::string>{"CLOG", "RDM"}));
}

TEST(RetrieveData, NoLoggedBytesAskForTheScansToRead) {
    for (const char* entry : {"0", "25"}) {
        Retrieval r;
        r.answers["RDPTR"] = "\r\n0\r\n";
        r.op.expectInput("Enter the number of scans to read:", entry);
        if (std::string(entry) == "0") {
            r.op.expectMessage("Cannot read any memory locations", "Software Pointer Error",
                               Icon::Stop);
            EXPECT_EQ(r.run(), RetrieveOutcome::Failed);
            continue;
        }
        r.dialogs.fileName = "";
        r.op.expectMessage("Please enter a filename to store the data.", "No Filename", Icon::None);
        r.answers["A1003"] = " = 1000\r\n";
        EXPECT_EQ(r.run(), RetrieveOutcome::Cancelled);
        EXPECT_EQ(r.dialogs.shownScans, 25);
    }
}

// A download into the named file, against a stand-in that dumps what it is given.
struct DumpHarness : OpenHarness {
    static constexpr int kBytesPerScan = 4; // Tavrin CT without time
    explicit DumpHarness(long scans)
        : OpenHarness(ProductCode::TavrinCT),
          download(records.download(layer, {ProductCode::TavrinCT, 0x3, kBytesPerScan,
                                            scans * kBytesPerScan, false, "1234"})) {
        line.setEcho(false); // as an instrument in a dump session
    }
    Records records;
    MemoryDownload download;
    TempFolder folder;
};

TEST(MemoryDownload, FileNamesTakeTheDatExtensionInTheirOwnFolder) {
    const struct {
        const char* typed;
        const char* data;
    } cases[] = {{"cast", "cast.Dat"},
                 {"cast.a.dat", "cast.a.Dat"},
                 {"run.1/cast", "run.1/cast.Dat"},
                 {"missing/cast.dat", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        DumpHarness h(2);
        std::filesystem::create_directory(h.folder / "run.1");
        h.line.answer({{"BDMP", std::string(8, '\0')}});
        if (c.data == nullptr)
            h.op.expectMessage("Failed to open the output data file", "File Open Error",
                               Icon::Stop);
        else
            h.op.expectMessage(kDumpComplete, "Download", Icon::None);
        const auto result = h.download.download((h.folder / c.typed).string());
        if (c.data == nullptr) {
            EXPECT_EQ(result, MemoryDownload::Result::Stayed);
            EXPECT_EQ(h.lines(), std::vector<std::string>{}) << "nothing asked of the instrument";
            continue;
        }
        EXPECT_EQ(result, MemoryDownload::Result::Completed);
        EXPECT_EQ(h.records.castInfo.dataFile, (h.folder / c.data).string());
        EXPECT_TRUE(std::filesystem::exists(replaceExtension(h.records.castInfo.dataFile, "bin")));
        // Again: the file exists now, and No keeps it.
        h.op.expectQuestion("Do you want to overwrite?", "File Exists", false);
        EXPECT_EQ(h.download.download((h.folder / c.typed).string()),
                  MemoryDownload::Result::Stayed);
    }
}

// The dump of 20 scans stops after 10 and the rest comes after 21 or 22 empty reads of
// 300 ms each after the first read, which a Tavrin gets 600 ms after "BDMP".
TEST(MemoryDownload, TheTwentySecondEmptyReadEndsTheDump) {
    for (int emptyReads : {21, 22}) {
        SCOPED_TRACE(emptyReads);
        DumpHarness h(20);
        h.line.answer({{"BDMP", std::string(10 * DumpHarness::kBytesPerScan, '\x01')}});
        const long restAtMs = 650 + 300 * emptyReads + 100;
        h.line.later("BDMP", restAtMs * sim::kNanosPerMs,
                     std::string(10 * DumpHarness::kBytesPerScan, '\x02'));
        if (emptyReads == 22) {
            h.op.expectMessage("Timeout Error, No data received", "No Data", Icon::Stop)
                .expectMessage("10 scans were saved in " + (h.folder / "m.Dat").string() +
                                   ".\nThe bytes as received are in " +
                                   (h.folder / "m.bin").string() + ".",
                               "Download", Icon::Information);
        } else {
            h.op.expectMessage(kDumpComplete, "Download", Icon::None);
        }
        h.download.download((h.folder / "m").string());
        EXPECT_EQ(lines(readFile(h.folder / "m.Dat")).size(), emptyReads == 22 ? 10u : 19u);
        EXPECT_EQ(readFile(h.folder / "m.bin").size(), emptyReads == 22 ? 40u : 80u);
    }
}

TEST(MemoryDownload, AVexaDumpThatStopsPartWayKeepsWhatCame) {
    SimRig rig(ProductCode::Vexa3,
               [](sim::Instrument::Config& config) { config.faults.dumpStopsAfterBytes = 9000; });
    ASSERT_TRUE(rig.detector.Detect());
    rig.instrument().preloadMemory(1000);
    TempFolder folder;
    Records records;
    const int perScan = int(rig.instrument().bytesPerScan());
    MemoryDownload download =
        records.download(rig.layer, {ProductCode::Vexa3, rig.settings.channelMask, perScan,
                                     1000L * perScan, rig.record.scaledMemory, "1634M"});
    const long chunk = 8096 / perScan;
    rig.op
        .expectMessage(
            "Timeout Error:\nExpected Bytes: " + std::to_string((1000 - chunk + 1) * perScan) +
                "\nReceived Bytes: " + std::to_string(9000 - chunk * perScan),
            "No Data", Icon::Stop)
        .expectMessage(std::to_string(9000 / perScan) + " scans were saved in " +
                           (folder / "v.Dat").string() + ".\nThe bytes as received are in " +
                           (folder / "v.bin").string() + ".",
                       "Download", Icon::Information);
    EXPECT_EQ(download.download((folder / "v.dat").string()), MemoryDownload::Result::Stopped);
    EXPECT_EQ(readFile(folder / "v.bin"), rig.instrument().memory().contents().substr(0, 9000));
}

// The program's clock, which pulls the simulated device's plug once its time has come.
class UnpluggingClock : public Clock {
public:
    UnpluggingClock(SimRig& rig, std::int64_t atMs) : rig_(rig), atMs_(atMs) {}
    void sleepMs(std::uint32_t ms) override {
        rig_.clock.sleepMs(ms);
        if (rig_.clock.nowMs() >= atMs_)
            rig_.device.unplug();
    }
    std::int64_t nowMs() const override { return rig_.clock.nowMs(); }

private:
    SimRig& rig_;
    std::int64_t atMs_;
};

TEST(MemoryDownload, ADeviceThatGoesAwayLeavesWhatCame) {
    SimRig rig(ProductCode::TavrinCT);
    rig.instrument().preloadMemory(3000);
    UnpluggingClock clock(rig, 5000);
    const std::unique_ptr<SerialDevice> device = rig.connect();
    CommPort port(*device, clock, rig.op, [](int) { return std::string("/dev/sim"); });
    ASSERT_TRUE(port.OpenPort(1));
    CommandLayer layer(port, rig.op);
    TempFolder folder;
    Records records;
    MemoryDownload download =
        records.download(layer, {ProductCode::TavrinCT, 0x3, 4, 3000 * 4, false, "F0123"});
    rig.op.expectMessage("ReadComm Timeout Error = 5", "COMMUNICATION PORT ERROR", Icon::Stop)
        .expectMessage(std::strerror(EIO), "GetLastError", Icon::Information)
        // About 4.2 s of the dump at 960 bytes a second had come: 1010 whole scans.
        .expectMessage("1010 scans were saved in " + (folder / "t.Dat").string() +
                           ".\nThe bytes as received are in " + (folder / "t.bin").string() + ".",
                       "Download", Icon::Information);
    EXPECT_EQ(download.download((folder / "t").string()), MemoryDownload::Result::Stopped);
    const std::string received = readFile(folder / "t.bin");
    EXPECT_EQ(received, rig.instrument().memory().contents().substr(0, received.size()));
    EXPECT_EQ(lines(readFile(folder / "t.Dat")).size(), received.size() / 4);
}

} // namespace
} // namespace halcyx::test
