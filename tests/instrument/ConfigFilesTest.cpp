// Configuration files: round trips of the three layouts, the saved key order, files written
// by hand or damaged, and the open, save and DC-load commands with their file dialogs.
#include "instrument/ConfigFiles.h"

#include "ScriptedOperator.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

using namespace halcyx;
using halcyx::test::ScriptedOperator;
namespace fs = std::filesystem;

namespace {

// What the configuration window owns.
struct Window {
    InstrumentRecord instrument;
    InstrumentSettings settings;
    DCChannelTable dc;
    ConfigurationState state() { return {instrument, settings, dc}; }
};

class ConfigFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() /
                  ("halcyx-cfg-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path file(const std::string& name) const { return folder_ / name; }

    fs::path writeFile(const std::string& name, const std::string& content) const {
        std::ofstream(file(name), std::ios::binary) << content;
        return file(name);
    }

    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The key names of the file's key lines, in file order.
    static std::vector<std::string> keysInOrder(const fs::path& path) {
        std::vector<std::string> keys;
        std::istringstream in(contents(path));
        for (std::string line; std::getline(in, line);) {
            const auto eq = line.find('=');
            if (eq != std::string::npos) {
                keys.push_back(line.substr(0, eq));
            }
        }
        return keys;
    }

    fs::path folder_;
};

void fillIdentity(Window& w, ProductCode product) {
    w.instrument.product = product;
    w.instrument.model = "Model-X";
    w.instrument.serialNumber = "1234M";
    w.instrument.firmware = "2.10";
    w.instrument.calDate = "05MAY26";
}

template <class Record> void fillTiming(Record& r) {
    r.intervalTime = "01:00:00";
    r.onTime = "00:10:00";
    r.delayedDate = "12-31-2026";
    r.delayedTime = "23:59:00";
    r.continuousOutput = 1;
    r.scaledOutput = 0;
}

template <class Record> void expectTiming(const Record& r) {
    EXPECT_EQ(r.intervalTime, "01:00:00");
    EXPECT_EQ(r.onTime, "00:10:00");
    EXPECT_EQ(r.delayedDate, "12-31-2026");
    EXPECT_EQ(r.delayedTime, "23:59:00");
    EXPECT_EQ(r.continuousOutput, 1);
    EXPECT_EQ(r.scaledOutput, 0);
}

void expectIdentity(const Window& w, ProductCode product) {
    EXPECT_EQ(w.instrument.product, product);
    EXPECT_EQ(w.instrument.model, "Model-X");
    EXPECT_EQ(w.instrument.serialNumber, "1234M");
    EXPECT_EQ(w.instrument.firmware, "2.10");
    EXPECT_EQ(w.instrument.calDate, "05MAY26");
}

std::vector<std::string> tavrinKeys() {
    return {"Model", "SN",    "FWVer", "CalDate", "Product", "CH1",   "CH2",   "CH3",
            "ITime", "OTime", "DDate", "DTime",   "scop",    "Scale", "AvgLen"};
}

} // namespace

TEST_F(ConfigFiles, VexaRoundTripKeepsEverythingInTheSavedKeyOrder) {
    Window saved;
    fillIdentity(saved, ProductCode::Vexa3);
    saved.settings.vexa.channel = {1, 0, 1, 1, 0, 1};
    saved.settings.vexa.dcChannel = {0, 1, 0, 0, 0, 0, 1, 1};
    fillTiming(saved.settings.vexa);
    saved.settings.vexa.averageLength = "01:30";
    saved.settings.samplingRateIndex = 3;
    saved.dc.setName(6, "Oxygen");
    saved.dc.setTerm(6, 0, "-1.5e-3");
    saved.dc.setTerm(6, 4, "7");
    ASSERT_TRUE(writeConfiguration(file("v.cfg"), saved.state()));

    std::vector<std::string> expected = {"Model", "SN", "FWVer", "CalDate", "Product"};
    for (int n = 1; n <= 6; ++n) {
        expected.push_back("CH" + std::to_string(n));
    }
    for (int n = 1; n <= 8; ++n) {
        expected.push_back("DC" + std::to_string(n));
    }
    for (int n = 1; n <= 8; ++n) {
        expected.push_back("DC" + std::to_string(n) + ".Name");
        for (int t = 0; t < 5; ++t) {
            expected.push_back("DC" + std::to_string(n) + ".term" + std::to_string(t));
        }
    }
    for (const char* key : {"ITime", "OTime", "DDate", "DTime", "Tau", "scop", "Scale", "AvgLen"}) {
        expected.push_back(key);
    }
    EXPECT_EQ(keysInOrder(file("v.cfg")), expected);
    EXPECT_NE(contents(file("v.cfg")).find("Product=2\r\n"), std::string::npos);

    Window loaded;
    loaded.instrument.product = ProductCode::TavrinCT; // another model attached
    loaded.settings.instrumentTime = "10:11:12";
    loaded.settings.instrumentDate = "06-12-2026";
    ASSERT_EQ(loadConfiguration(file("v.cfg"), loaded.state()), OpenOutcome::Loaded);
    expectIdentity(loaded, ProductCode::Vexa3);
    const VexaConfigData& v = loaded.settings.vexa;
    EXPECT_EQ(v.channel, saved.settings.vexa.channel);
    EXPECT_EQ(v.dcChannel, saved.settings.vexa.dcChannel);
    expectTiming(v);
    EXPECT_EQ(v.averageLength, "01:30");
    EXPECT_EQ(loaded.settings.samplingRateIndex, 3);
    EXPECT_EQ(v.samplingRate, (std::array<std::uint16_t, 5>{0, 0, 0, 1, 0}));
    EXPECT_EQ(v.instrumentTime, "10:11:12");
    EXPECT_EQ(v.instrumentDate, "06-12-2026");
    EXPECT_EQ(loaded.dc.texts(6).name, "Oxygen");
    EXPECT_EQ(loaded.dc.texts(6).terms[0], "-1.5e-3");
    EXPECT_EQ(loaded.dc.texts(6).terms[4], "7");
    EXPECT_EQ(loaded.dc.texts(0).name, "DC1");
    // Opening a file fills the texts only; conversions keep the numeric copy until refreshed.
    EXPECT_EQ(loaded.dc.numeric(6).coefficients, DcCoefficients::Identity());
    // The CT record is not the Vexa's business.
    EXPECT_EQ(loaded.settings.ct.intervalTime, "00:01:00");
}

TEST_F(ConfigFiles, TavrinRoundTripsUseTheirOwnChannelSections) {
    struct Case {
        ProductCode product;
        const char* channelSection;
        const char* otherSection;
    };
    for (const Case& c : {Case{ProductCode::TavrinCT, "[AC_CHANNELS]", "[CHANNELS]"},
                          Case{ProductCode::TavrinP, "[CHANNELS]", "[AC_CHANNELS]"}}) {
        SCOPED_TRACE(static_cast<int>(c.product));
        Window saved;
        fillIdentity(saved, c.product);
        TavrinConfigData& record = c.product == ProductCode::TavrinP
                                       ? static_cast<TavrinConfigData&>(saved.settings.p)
                                       : saved.settings.ct;
        record.channel = {1, 0, 1};
        fillTiming(record);
        record.averageTime = "00:20";
        const fs::path path = file("t.cfg");
        ASSERT_TRUE(writeConfiguration(path, saved.state()));
        EXPECT_EQ(keysInOrder(path), tavrinKeys());
        const std::string text = contents(path);
        EXPECT_NE(text.find(c.channelSection), std::string::npos);
        EXPECT_EQ(text.find(c.otherSection), std::string::npos);
        EXPECT_EQ(text.find("DC_CHANNELS"), std::string::npos);
        EXPECT_EQ(text.find("TAU"), std::string::npos);

        Window loaded;
        loaded.instrument.averaging = true;
        ASSERT_EQ(loadConfiguration(path, loaded.state()), OpenOutcome::Loaded);
        expectIdentity(loaded, c.product);
        const TavrinConfigData& back = c.product == ProductCode::TavrinP
                                           ? static_cast<TavrinConfigData&>(loaded.settings.p)
                                           : loaded.settings.ct;
        EXPECT_EQ(back.channel, (std::array<std::uint16_t, 3>{1, 0, 1}));
        expectTiming(back);
        EXPECT_EQ(back.averageTime, "00:20");
    }
}

TEST_F(ConfigFiles, HandWrittenFileInAnotherOrderAndLetterCase) {
    const auto path = writeFile("hand.CFG", "; written by hand\n"
                                            "[memory]\navglen = 02:00\n"
                                            "[Time]\ndtime=07:00:00\nitime=00:30:00\n"
                                            "OTIME=00:00:20\n"
                                            "[ac_channels]\nch3=1\nCh1=1\n"
                                            "[instrument]\nproduct=1\nmodel=Vexa 2\n"
                                            "[tau]\nTAU=4\n"
                                            "[dc_channels]\ndc2=1\ndc2.name=Turbidity\n"
                                            "DC2.TERM1=0.25\n");
    Window w;
    ASSERT_EQ(loadConfiguration(path, w.state()), OpenOutcome::Loaded);
    EXPECT_EQ(w.instrument.product, ProductCode::Vexa2);
    EXPECT_EQ(w.instrument.model, "Vexa 2");
    EXPECT_EQ(w.instrument.serialNumber, "0");
    EXPECT_EQ(w.instrument.firmware, "1.0");
    EXPECT_EQ(w.instrument.calDate, "10OCT97");
    const VexaConfigData& v = w.settings.vexa;
    EXPECT_EQ(v.channel, (std::array<std::uint16_t, 6>{1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(v.dcChannel[1], 1);
    EXPECT_EQ(v.intervalTime, "00:30:00");
    EXPECT_EQ(v.onTime, "00:00:20");
    EXPECT_EQ(v.delayedDate, "10-23-1997");
    EXPECT_EQ(v.delayedTime, "07:00:00");
    EXPECT_EQ(v.averageLength, "02:00");
    EXPECT_EQ(w.settings.samplingRateIndex, 4);
    EXPECT_EQ(w.dc.texts(1).name, "Turbidity");
    EXPECT_EQ(w.dc.texts(1).terms[0], "");
    EXPECT_EQ(w.dc.texts(1).terms[1], "0.25");
}

TEST_F(ConfigFiles, SamplingRateFromTau) {
    struct Case {
        const char* tauLine; // empty: no TAU section
        int index;
        std::array<std::uint16_t, 5> flags;
    };
    const Case cases[] = {
        {"", 0, {1, 0, 0, 0, 0}},       // 1.83 scans per second
        {"Tau=2", 2, {0, 0, 1, 0, 0}},  //
        {"Tau=5", 3, {0, 0, 0, 0, 0}},  // the earlier index stays
        {"Tau=-1", 3, {0, 0, 0, 0, 0}}, //
        {"Tau=fast", 0, {1, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tauLine);
        Window w;
        w.settings.samplingRateIndex = 3;
        w.settings.vexa.samplingRate = {0, 0, 0, 1, 0};
        const std::string tau = *c.tauLine ? std::string("[TAU]\n") + c.tauLine + "\n" : "";
        const auto path = writeFile("tau.cfg", "[INSTRUMENT]\nProduct=2\n" + tau);
        ASSERT_EQ(loadConfiguration(path, w.state()), OpenOutcome::Loaded);
        EXPECT_EQ(w.settings.samplingRateIndex, c.index);
        EXPECT_EQ(w.settings.vexa.samplingRate, c.flags);
    }
}

TEST_F(ConfigFiles, DamagedFilesGiveDefaultsAndNeverCrash) {
    const std::string longText(5000, 'x');
    static constexpr char kGarbage[] = "\0\xff[\n=\r\n]]]==\x01\n[INSTRUMENT\nProduct";
    struct Case {
        const char* what;
        std::string content;
        ProductCode product;
        OpenOutcome outcome;
    };
    const Case cases[] = {
        {"empty file", "", ProductCode::None, OpenOutcome::UnknownProduct},
        {"binary garbage", std::string(kGarbage, sizeof kGarbage - 1), ProductCode::None,
         OpenOutcome::UnknownProduct},
        {"unknown product", "[INSTRUMENT]\nProduct=5\nModel=Five\n", ProductCode::None,
         OpenOutcome::UnknownProduct},
        {"product not a number", "[INSTRUMENT]\nProduct=Vexa\n", ProductCode::None,
         OpenOutcome::UnknownProduct},
        {"only the product", "[INSTRUMENT]\nProduct=3\n", ProductCode::TavrinCT,
         OpenOutcome::Loaded},
        {"overlong values",
         "[INSTRUMENT]\nProduct=2\nModel=" + longText + "\n[DC_CHANNELS]\nDC1.Name=" + longText +
             "\nDC1.term0=123456789012345\n[MEMORY]\nAvgLen=" + longText +
             "\n[TIME]\nITime=" + longText + "\n",
         ProductCode::Vexa3, OpenOutcome::Loaded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        w.instrument.product = ProductCode::Vexa3;
        const auto path = writeFile("bad.cfg", c.content);
        EXPECT_EQ(loadConfiguration(path, w.state()), c.outcome);
        EXPECT_EQ(w.instrument.product, c.product);
    }

    // The overlong values are cut to their fields.
    Window w;
    loadConfiguration(file("bad.cfg"), w.state());
    EXPECT_EQ(w.instrument.model, std::string(14, 'x'));
    EXPECT_EQ(w.dc.texts(0).name, std::string(11, 'x'));
    EXPECT_EQ(w.dc.texts(0).terms[0], "12345678901");
    EXPECT_EQ(w.settings.vexa.averageLength, std::string(6, 'x'));
    EXPECT_EQ(w.settings.vexa.intervalTime, std::string(14, 'x'));
    // Missing keys of a known layout take the file defaults, not the window's.
    EXPECT_EQ(w.settings.vexa.onTime, "00:00:00");
    EXPECT_EQ(w.settings.vexa.delayedDate, "10-23-1997");
    EXPECT_EQ(w.dc.texts(1).name, "");

    // A file that vanished between the dialog and the read.
    EXPECT_EQ(loadConfiguration(file("gone.cfg"), w.state()), OpenOutcome::UnknownProduct);
}

TEST_F(ConfigFiles, TavrinPChannelsUnderAcChannelsAreNotTheirs) {
    const auto path = writeFile("p.cfg", "[INSTRUMENT]\r\nProduct=7\r\n"
                                         "[AC_CHANNELS]\r\nCH1=1\r\nCH2=1\r\nCH3=1\r\n");
    Window w;
    w.settings.p.channel = {1, 1, 1};
    ASSERT_EQ(loadConfiguration(path, w.state()), OpenOutcome::Loaded);
    EXPECT_EQ(w.settings.p.channel, (std::array<std::uint16_t, 3>{0, 0, 0}));
    EXPECT_EQ(w.instrument.model, "Tavrin P");
}

TEST_F(ConfigFiles, TavrinAveragingShowsOffWithoutTheCapability) {
    for (bool averaging : {false, true}) {
        SCOPED_TRACE(averaging);
        const auto path = writeFile("ct.cfg", "[INSTRUMENT]\nProduct=3\n[MEMORY]\nAvgLen=00:15\n");
        Window w;
        w.instrument.averaging = averaging;
        ASSERT_EQ(loadConfiguration(path, w.state()), OpenOutcome::Loaded);
        EXPECT_EQ(w.settings.ct.averageTime, averaging ? "00:15" : "OFF");
        EXPECT_EQ(w.instrument.model, "Tavrin CT");
    }
}

TEST_F(ConfigFiles, OpenAndSaveCommandsAskForTheFileAndKeepTheSaveRules) {
    ScriptedOperator op;
    Window w;
    fillIdentity(w, ProductCode::Vexa2);
    w.instrument.saveEnable = true;

    // Cancelling changes nothing.
    op.expectFile(true, std::nullopt).expectFile(false, std::nullopt);
    EXPECT_FALSE(SaveConfiguration(op, w.state()));
    EXPECT_EQ(OpenConfiguration(op, w.state()), OpenOutcome::Cancelled);
    EXPECT_TRUE(w.instrument.saveEnable);
    ASSERT_EQ(op.fileRequests.size(), 2u);
    for (const FileRequest& r : op.fileRequests) {
        EXPECT_EQ(r.filter, "Config Files (*.CFG)|*.cfg|");
        EXPECT_EQ(r.defaultExtension, "CFG");
        EXPECT_EQ(r.mustExist, !r.save);
        EXPECT_EQ(r.confirmOverwrite, r.save);
    }

    // A Vexa save clears the flag; opening and confirming sets it again.
    op.expectFile(true, file("a.cfg").string());
    EXPECT_TRUE(SaveConfiguration(op, w.state()));
    EXPECT_FALSE(w.instrument.saveEnable);
    op.expectFile(false, file("a.cfg").string());
    ASSERT_EQ(OpenConfiguration(op, w.state()), OpenOutcome::Loaded);
    w.settings.vexa.samplingRate = {0, 1, 0, 1, 0};
    acceptOpenedConfiguration(w.state());
    EXPECT_TRUE(w.instrument.saveEnable);
    EXPECT_TRUE(w.instrument.settingsRead);
    EXPECT_EQ(w.settings.samplingRateIndex, 1);

    // A Tavrin save leaves it set.
    w.instrument.product = ProductCode::TavrinP;
    op.expectFile(true, file("p.cfg").string());
    EXPECT_TRUE(SaveConfiguration(op, w.state()));
    EXPECT_TRUE(w.instrument.saveEnable);

    // An unidentified instrument writes nothing.
    w.instrument.product = ProductCode::None;
    op.expectFile(true, file("none.cfg").string());
    EXPECT_FALSE(SaveConfiguration(op, w.state()));
    EXPECT_FALSE(fs::exists(file("none.cfg")));
}

TEST_F(ConfigFiles, SavingOverAFileReplacesItWhole) {
    Window w;
    fillIdentity(w, ProductCode::TavrinCT);
    const auto path = writeFile("old.cfg", "[INSTRUMENT]\r\nProduct=2\r\n"
                                           "[DC_CHANNELS]\r\nDC1.Name=Stale\r\n");
    ASSERT_TRUE(writeConfiguration(path, w.state()));
    EXPECT_EQ(keysInOrder(path), tavrinKeys());

    DCChannelTable table;
    readDcCoefficients(path, table);
    EXPECT_EQ(table.texts(0).name, "");
}

TEST_F(ConfigFiles, AFailedSaveIsReportedAndKeepsTheFlag) {
    ScriptedOperator op;
    Window w;
    fillIdentity(w, ProductCode::Vexa3);
    w.instrument.saveEnable = true;
    const fs::path target = file("no-such-folder") / "x.cfg";
    writeFile("no-such-folder", "a file where a folder should be");
    op.expectFile(true, target.string())
        .expectMessage("Unable to write the configuration file " + target.string(),
                       "CONFIG FILE ERROR", Icon::Stop);
    EXPECT_FALSE(SaveConfiguration(op, w.state()));
    EXPECT_TRUE(w.instrument.saveEnable);
}

TEST_F(ConfigFiles, LoadDcCoefficientsFillsTextsAndNumbers) {
    const auto path =
        writeFile("dc.cfg", "[DC_CHANNELS]\nDC1.Name=Fluor\nDC1.term0=1.5\nDC1.term1=abc\n"
                            "DC1.term2=2e-3\nDC8.Name=Last\nDC8.term4=-4\n");
    ScriptedOperator op;
    op.expectFile(false, std::nullopt).expectFile(false, path.string());
    DCChannelTable table;
    EXPECT_FALSE(LoadDcCoefficients(op, table));
    EXPECT_EQ(table.texts(0).name, "DC1");

    ASSERT_TRUE(LoadDcCoefficients(op, table));
    EXPECT_EQ(table.texts(0).name, "Fluor");
    EXPECT_EQ(table.texts(0).terms[1], "abc");
    EXPECT_EQ(table.numeric(0).name, "Fluor");
    EXPECT_EQ(table.numeric(0).coefficients, (DcCoefficients{1.5f, 0.0f, 2e-3f, 0.0f, 0.0f}));
    EXPECT_EQ(table.numeric(7).name, "Last");
    EXPECT_EQ(table.numeric(7).coefficients, (DcCoefficients{0.0f, 0.0f, 0.0f, 0.0f, -4.0f}));
    // A channel the file does not name is left empty, all of its coefficients 0.
    EXPECT_EQ(table.texts(3).name, "");
    EXPECT_EQ(table.numeric(3).coefficients, (DcCoefficients{0.0f, 0.0f, 0.0f, 0.0f, 0.0f}));
}
