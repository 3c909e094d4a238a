// Configuration files: round trips of the three layouts, the saved key order, saving over a
// file, files written by hand or damaged, one read per operation, and the open, save and
// DC-load commands with their file dialogs.
#include "core/instrument/ConfigFiles.h"

#include "tests/support/ScriptedOperator.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/inotify.h>
#include <tuple>
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
    fs::path file(const std::string& name) const { return folder_ / name; }
    fs::path writeFile(const std::string& name, const std::string& content) const {
        halcyx::test::writeFile(file(name), content);
        return file(name);
    }
    static std::string contents(const fs::path& path) { return halcyx::test::readFile(path); }

    // The key names of the file's key lines, in file order.
    static std::vector<std::string> keysInOrder(const fs::path& path) {
        std::vector<std::string> keys;
        std::istringstream in(contents(path));
        for (std::string line; std::getline(in, line);)
            if (const auto eq = line.find('='); eq != std::string::npos)
                keys.push_back(line.substr(0, eq));
        return keys;
    }

    halcyx::test::TempFolder folder_;
};

// A window whose every saved field holds a value other than its default.
void fillWindow(Window& w, ProductCode product) {
    w.instrument.product = product;
    w.instrument.model = "Model-X";
    w.instrument.serialNumber = "1234M";
    w.instrument.firmware = "2.10";
    w.instrument.calDate = "05MAY26";
    w.settings.samplingRateIndex = 3;
    w.dc.setName(6, "Oxygen");
    w.dc.setTerm(6, 0, "-1.5e-3");
    auto fill = [](auto& r, auto& channels, auto& average) {
        channels[0] = channels[2] = 1;
        r.intervalTime = "01:00:00";
        r.onTime = "00:10:00";
        r.delayedDate = "12-31-2026";
        r.delayedTime = "23:59:00";
        r.continuousOutput = 1;
        average = "01:30";
    };
    fill(w.settings.vexa, w.settings.vexa.channel, w.settings.vexa.averageLength);
    w.settings.vexa.dcChannel = {0, 1, 0, 0, 0, 0, 1, 1};
    fill(w.settings.ct, w.settings.ct.channel, w.settings.ct.averageTime);
    fill(w.settings.p, w.settings.p.channel, w.settings.p.averageTime);
}

std::vector<std::string> expectedKeys(ProductCode product) {
    std::vector<std::string> keys = {"Model", "SN", "FWVer", "CalDate", "Product"};
    for (int n = 1; n <= (isVexa(product) ? 6 : 3); ++n)
        keys.push_back("CH" + std::to_string(n));
    for (int n = 1; isVexa(product) && n <= 8; ++n)
        keys.push_back("DC" + std::to_string(n));
    for (int n = 1; isVexa(product) && n <= 8; ++n) {
        keys.push_back("DC" + std::to_string(n) + ".Name");
        for (int t = 0; t < 5; ++t)
            keys.push_back("DC" + std::to_string(n) + ".term" + std::to_string(t));
    }
    for (const char* key : {"ITime", "OTime", "DDate", "DTime", "Tau", "scop", "Scale", "AvgLen"})
        if (isVexa(product) || std::string(key) != "Tau")
            keys.push_back(key);
    return keys;
}

} // namespace

TEST_F(ConfigFiles, EachLayoutRoundTripsInItsKeyOrderAndSections) {
    struct Case {
        ProductCode product;
        std::vector<const char*> sections;
        std::vector<const char*> absent;
    };
    const Case cases[] = {
        {ProductCode::Vexa3,
         {"Product=2\r\n", "[AC_CHANNELS]", "[DC_CHANNELS]", "[TAU]"},
         {"[CHANNELS]"}},
        {ProductCode::TavrinCT, {"[AC_CHANNELS]"}, {"[CHANNELS]", "DC_CHANNELS", "TAU"}},
        {ProductCode::TavrinP, {"[CHANNELS]"}, {"AC_CHANNELS", "DC_CHANNELS", "TAU"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.product));
        const fs::path a = file("a" + std::to_string(static_cast<int>(c.product)) + ".cfg");
        const fs::path b = file("b" + std::to_string(static_cast<int>(c.product)) + ".cfg");
        Window saved;
        fillWindow(saved, c.product);
        ASSERT_TRUE(writeConfiguration(a, saved.state()));
        EXPECT_EQ(keysInOrder(a), expectedKeys(c.product));
        const std::string text = contents(a);
        for (const char* section : c.sections)
            EXPECT_NE(text.find(section), std::string::npos) << section;
        for (const char* section : c.absent)
            EXPECT_EQ(text.find(section), std::string::npos) << section;

        // Loaded into a window attached to another model and saved again, nothing changes.
        Window loaded;
        loaded.instrument.product = ProductCode::Vexa2;
        loaded.instrument.averaging = true;
        loaded.settings.instrumentTime = "10:11:12";
        loaded.settings.instrumentDate = "06-12-2026";
        ASSERT_EQ(loadConfiguration(a, loaded.state()), OpenOutcome::Loaded);
        EXPECT_EQ(loaded.instrument.product, c.product);
        if (c.product == ProductCode::Vexa3) {
            // A Vexa file fills the texts and takes the window's copy of the clock.
            const InstrumentSettings& s = loaded.settings;
            EXPECT_EQ(std::tie(s.vexa.instrumentTime, s.vexa.instrumentDate),
                      std::make_tuple("10:11:12", "06-12-2026"));
            EXPECT_EQ(s.samplingRateIndex, 3);
            EXPECT_EQ(s.vexa.samplingRate, (std::array<std::uint16_t, 5>{0, 0, 0, 1, 0}));
            EXPECT_EQ(std::tie(loaded.dc.texts(6).name, loaded.dc.texts(6).terms[0]),
                      std::make_tuple("Oxygen", "-1.5e-3"));
            // Conversions keep the numeric copy until it is refreshed from the texts.
            EXPECT_EQ(loaded.dc.numeric(6).coefficients, DcCoefficients::identity());
            EXPECT_EQ(s.ct.intervalTime, "00:01:00") << "the other models' records stay";
        }
        ASSERT_TRUE(writeConfiguration(b, loaded.state()));
        EXPECT_EQ(contents(b), text);
    }
}

TEST_F(ConfigFiles, HandWrittenFileInAnotherOrderAndLetterCase) {
    const auto path = writeFile("hand.CFG", "; written by hand\n"
                                            "[memory]\navglen = 02:00\n"
                                            "[Time]\ndtime=07:00:00\nitime=00:30:00\n"
                                            "OTIME=00:00:20\n"
                                            "[ac_channels]\nch3=1\nCh1=1\n"
                                            "[instrument]\nproduct=1\nmodel=Vexa 2\n"
                                            "[tau]\nTAU=4\n[data_output]\nSCOP=1\n"
                                            "[dc_channels]\ndc2=1\ndc2.name=Turbidity\n"
                                            "DC2.TERM1=0.25\n");
    Window w;
    ASSERT_EQ(loadConfiguration(path, w.state()), OpenOutcome::Loaded);
    const InstrumentRecord& r = w.instrument;
    EXPECT_EQ(r.product, ProductCode::Vexa2);
    EXPECT_EQ(std::tie(r.model, r.serialNumber, r.firmware, r.calDate),
              std::make_tuple("Vexa 2", "0", "1.0", "10OCT97"));
    const VexaConfigData& v = w.settings.vexa;
    EXPECT_EQ(v.channel, (std::array<std::uint16_t, 6>{1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(std::tie(v.intervalTime, v.onTime, v.delayedDate, v.delayedTime, v.averageLength),
              std::make_tuple("00:30:00", "00:00:20", "10-23-1997", "07:00:00", "02:00"));
    EXPECT_EQ(std::tie(v.dcChannel[1], v.continuousOutput, v.scaledOutput),
              std::make_tuple(1, 1, 0));
    EXPECT_EQ(w.settings.samplingRateIndex, 4);
    const auto& dc = w.dc.texts(1);
    EXPECT_EQ(std::tie(dc.name, dc.terms[0], dc.terms[1]),
              std::make_tuple("Turbidity", "", "0.25"));
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
        // The keys the file lacks take their defaults.
        EXPECT_EQ(std::tie(w.instrument.model, w.settings.vexa.averageLength),
                  std::make_tuple("Vexa", "00:00"));
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
    const VexaConfigData& v = w.settings.vexa;
    EXPECT_EQ(std::tie(w.instrument.model, v.intervalTime, v.averageLength),
              std::make_tuple(std::string(14, 'x'), std::string(14, 'x'), std::string(6, 'x')));
    EXPECT_EQ(std::tie(w.dc.texts(0).name, w.dc.texts(0).terms[0]),
              std::make_tuple(std::string(11, 'x'), "12345678901"));
    // Missing keys of a known layout take the file defaults, not the window's.
    EXPECT_EQ(std::tie(v.onTime, v.delayedDate, w.dc.texts(1).name),
              std::make_tuple("00:00:00", "10-23-1997", ""));

    // A file that vanished between the dialog and the read.
    EXPECT_EQ(loadConfiguration(file("gone.cfg"), w.state()), OpenOutcome::UnknownProduct);
}

TEST_F(ConfigFiles, TavrinFilesKeepTheirChannelsAndAveragingRules) {
    // The P keeps its channels under CHANNELS; under AC_CHANNELS they are not its own.
    const auto p = writeFile("p.cfg", "[INSTRUMENT]\r\nProduct=7\r\n"
                                      "[AC_CHANNELS]\r\nCH1=1\r\nCH2=1\r\nCH3=1\r\n");
    Window w;
    w.settings.p.channel = {1, 1, 1};
    ASSERT_EQ(loadConfiguration(p, w.state()), OpenOutcome::Loaded);
    EXPECT_EQ(w.settings.p.channel, (std::array<std::uint16_t, 3>{0, 0, 0}));
    EXPECT_EQ(w.instrument.model, "Tavrin P");

    // Without the averaging capability the averaging shows as OFF.
    const auto ct = writeFile("ct.cfg", "[INSTRUMENT]\nProduct=3\n[MEMORY]\nAvgLen=00:15\n");
    for (bool averaging : {false, true}) {
        w.instrument.averaging = averaging;
        ASSERT_EQ(loadConfiguration(ct, w.state()), OpenOutcome::Loaded);
        EXPECT_EQ(w.settings.ct.averageTime, averaging ? "00:15" : "OFF");
        EXPECT_EQ(w.instrument.model, "Tavrin CT");
    }
}

TEST_F(ConfigFiles, OpenAndSaveCommandsAskForTheFileAndKeepTheSaveRules) {
    ScriptedOperator op;
    Window w;
    fillWindow(w, ProductCode::Vexa2);
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
    EXPECT_TRUE(w.instrument.saveEnable && w.instrument.settingsRead);
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

TEST_F(ConfigFiles, SavingOverAFileKeepsItsOtherLinesInPlaceOrSaysItCouldNot) {
    Window w;
    fillWindow(w, ProductCode::TavrinCT);
    const auto path = writeFile("old.cfg", "; the operator's note\r\n"
                                           "[INSTRUMENT]\r\nProduct=2\r\nShip=RV Kestrel\r\n"
                                           "[DC_CHANNELS]\r\nDC1.Name=Stale\r\n"
                                           "[CRUISE]\r\nLeg=3\r\n");
    ASSERT_TRUE(writeConfiguration(path, w.state()));
    const std::string text = contents(path);
    EXPECT_EQ(text.rfind("; the operator's note\r\n[INSTRUMENT]\r\nProduct=3\r\n"
                         "Ship=RV Kestrel\r\nModel=Model-X\r\n",
                         0),
              0u)
        << text;
    EXPECT_NE(text.find("[DC_CHANNELS]\r\nDC1.Name=Stale\r\n[CRUISE]\r\nLeg=3\r\n"),
              std::string::npos)
        << text;
    Window loaded;
    ASSERT_EQ(loadConfiguration(path, loaded.state()), OpenOutcome::Loaded);
    EXPECT_EQ(loaded.instrument.product, ProductCode::TavrinCT);
    EXPECT_EQ(loaded.settings.ct.intervalTime, "01:00:00");

    ScriptedOperator op;
    w.instrument.product = ProductCode::Vexa3;
    w.instrument.saveEnable = true;
    const fs::path target = file("no-such-folder") / "x.cfg";
    writeFile("no-such-folder", "a file where a folder should be");
    op.expectFile(true, target.string())
        .expectMessage("Unable to write the configuration file " + target.string(),
                       "CONFIG FILE ERROR", Icon::Stop);
    EXPECT_FALSE(SaveConfiguration(op, w.state()));
    EXPECT_TRUE(w.instrument.saveEnable);
}

// Counts the opens of one file through inotify, without touching the code under test.
class OpenCounter {
public:
    explicit OpenCounter(const fs::path& file) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        EXPECT_GE(inotify_add_watch(fd_, file.c_str(), IN_OPEN), 0) << file;
    }
    ~OpenCounter() { close(fd_); }
    // The opens since the last call.
    int opens() {
        int count = 0;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t got; (got = read(fd_, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                count += (event->mask & IN_OPEN) != 0;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return count;
    }

private:
    int fd_;
};

TEST_F(ConfigFiles, EachOperationReadsTheFileOnce) {
    Window w;
    fillWindow(w, ProductCode::Vexa3);
    const auto path = file("once.cfg");
    ASSERT_TRUE(writeConfiguration(path, w.state()));
    OpenCounter counter(path);
    ASSERT_EQ(loadConfiguration(path, w.state()), OpenOutcome::Loaded);
    EXPECT_EQ(counter.opens(), 1) << "opening the file";
    readDcCoefficients(path, w.dc);
    EXPECT_EQ(counter.opens(), 1) << "loading the DC coefficients";
    ASSERT_TRUE(writeConfiguration(path, w.state()));
    EXPECT_EQ(counter.opens(), 1) << "saving over it";
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
    EXPECT_EQ(std::tie(table.texts(0).name, table.texts(0).terms[1], table.numeric(0).name),
              std::make_tuple("Fluor", "abc", "Fluor"));
    EXPECT_EQ(table.numeric(0).coefficients, (DcCoefficients{1.5f, 0.0f, 2e-3f, 0.0f, 0.0f}));
    EXPECT_EQ(table.numeric(7).name, "Last");
    EXPECT_EQ(table.numeric(7).coefficients, (DcCoefficients{0.0f, 0.0f, 0.0f, 0.0f, -4.0f}));
    // A channel the file does not name is left empty, all of its coefficients 0.
    EXPECT_EQ(table.texts(3).name, "");
    EXPECT_EQ(table.numeric(3).coefficients, (DcCoefficients{0.0f, 0.0f, 0.0f, 0.0f, 0.0f}));
}
