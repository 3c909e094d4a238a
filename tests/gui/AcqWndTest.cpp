// The acquisition window offscreen in the whole program with a simulated instrument: a Vexa 3
// down cast, a towed cast stamped by a simulated GPS receiver and a Tavrin CT logging session
// from the menu to the files on disk, and what operators at sea meet: a data device pulled
// and plugged back mid-cast, a full disk, a stream of garbage and a silent instrument.
#include "gui/acquisition/AcqWnd.h"

#include "core/acquisition/CastSession.h"
#include "core/graphs/PresGraphSettings.h"
#include "core/settings/Catalogue.h"
#include "core/settings/Profile.h"
#include "gui/acquisition/AcqSetupDlg.h"
#include "gui/acquisition/HeaderDlg.h"
#include "gui/acquisition/ListingWnd.h"
#include "gui/acquisition/NavPort.h"
#include "gui/app/MainFrame.h"
#include "gui/app/VeltroApp.h"
#include "gui/graphs/GraphWnd.h"
#include "gui/graphs/GraphicsDlg.h"
#include "gui/graphs/PresGraphWnd.h"
#include "gui/graphs/PressureSetupDlg.h"
#include "gui/instrument/ConfigWnd.h"
#include "gui/printing/PreviewFrame.h"
#include "gui/widgets/TextWnd.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/SimProgram.h"
#include "tests/support/SimRig.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <regex>

namespace halcyx {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEndCastFirst = "You must end the current cast before leaving aquisition!";

std::vector<std::string> recordsOf(const fs::path& path) {
    return test::lines(test::readFile(path));
}

// The program with a simulated instrument on COM1 that it finds at start-up, switched to
// acquisition (entry 0: left in configuration).
class AcqWndTest : public test::GuiTest, protected test::SimProgram {
protected:
    explicit AcqWndTest(ProductCode model = ProductCode::Vexa3,
                        const test::AdjustConfig& adjust = {}, int entry = cmd::kAcquisition)
        : SimProgram(model, adjust) {
        app.show();
        rig.settle();
        if (entry != 0)
            choose(entry);
    }

    AcqWnd& acq() { return app.acqWnd(); }
    MainFrame& frame() { return app.frame(); }
    bool enabled(int command) {
        frame().refreshCommandStates();
        const QAction* action = frame().commandAction(command);
        return action && action->isEnabled();
    }
    void choose(int command) {
        ASSERT_TRUE(enabled(command)) << "command " << command;
        frame().commandAction(command)->trigger();
    }
    // Starts a cast into folder/name, checking the timer runs at the model's tick.
    fs::path startCast(int command, const char* name) {
        const fs::path path = folder.path() / name;
        op.expectFile(true, path.string());
        choose(command);
        EXPECT_TRUE(acq().logging());
        EXPECT_TRUE(acq().dataTimer().isActive());
        return path;
    }
    // Runs the data timer, and the navigation timer where it runs, for a while [ms] on the
    // virtual clock.
    void runTicks(int ms) {
        const int period = acq().dataTimer().interval();
        int navigationDue = NavSession::kTickPeriodMs;
        for (int t = 0; t < ms; t += period) {
            rig.sleep(static_cast<std::uint32_t>(period));
            acq().tick();
            NavPort* nav = acq().navPort();
            if (nav && nav->ticking() && (navigationDue -= period) <= 0) {
                navigationDue += NavSession::kTickPeriodMs;
                nav->tick();
            }
        }
    }
    // Ends the cast; the cast information dialog closes with OK after edit.
    void endCast(int command, const std::function<void(HeaderDlg&)>& edit = {}) {
        test::whenModalOpens([edit](QDialog& dialog) {
            auto& header = dynamic_cast<HeaderDlg&>(dialog);
            if (edit)
                edit(header);
            header.accept();
        });
        choose(command);
        EXPECT_FALSE(acq().logging());
        EXPECT_FALSE(acq().dataTimer().isActive());
    }
    int scans() { return acq().readout(AcqWnd::Scans).text().toInt(); }
    // One line of a cast's calibration file, empty when the file is shorter.
    std::string calibrationLine(const char* name, std::size_t line) {
        const std::vector<std::string> calibration = recordsOf(folder.path() / name);
        return line < calibration.size() ? calibration[line] : std::string();
    }
    // Every record cut is in the data file, once.
    void expectEveryRecordIn(const fs::path& data) {
        EXPECT_EQ(static_cast<int>(recordsOf(data).size()), acq().session()->cast().scanCount());
    }
};

TEST_F(AcqWndTest, AVexa3DownCastLogsEveryScanAndWritesItsHeaderAndCalibration) {
    ASSERT_EQ(frame().client(), &acq());
    EXPECT_FALSE(enabled(cmd::kEndCast));
    EXPECT_TRUE(enabled(cmd::kCommunicationsWindow));

    // A file dialog cancelled, then a file that cannot be created: still idle.
    op.expectFile(true, std::nullopt);
    choose(cmd::kStartCast);
    op.expectFile(true, (folder.path() / "missing" / "cast.dat").string())
        .expectMessage("Error opening Cast File", "Binary File ERROR", Icon::Stop);
    choose(cmd::kStartCast);
    EXPECT_FALSE(acq().logging());
    EXPECT_FALSE(acq().dataTimer().isActive());

    EXPECT_FALSE(enabled(cmd::kPrint)) << "nothing to print before the first scan";
    EXPECT_TRUE(enabled(cmd::kPrinterSetup));
    const fs::path data = startCast(cmd::kStartCast, "cast1.dat");
    EXPECT_EQ(acq().dataTimer().interval(), 250);
    EXPECT_EQ(frame().windowTitle(), "Halcyx - Acquisition - Filename: [cast1.dat]");
    EXPECT_NE(rig.received().find("SC\\r"), std::string::npos);
    EXPECT_FALSE(enabled(cmd::kEndUpCast));
    EXPECT_FALSE(enabled(cmd::kPortSetup));
    EXPECT_FALSE(enabled(cmd::kCommunicationsWindow));
    EXPECT_FALSE(enabled(cmd::kStartUpCast));
    op.expectMessage(kEndCastFirst, "Status - Logging", Icon::Stop)
        .expectMessage(kEndCastFirst, "Status - Logging", Icon::Stop);
    choose(cmd::kConfiguration);
    choose(cmd::kExit);
    EXPECT_EQ(frame().client(), &acq());
    EXPECT_TRUE(frame().isVisible());

    // The profile graph's setup reaches the graph through the window, and its auto-zoom the
    // cast session.
    test::whenModalOpens([](QDialog& dialog) {
        auto& setup = dynamic_cast<GraphicsDlg&>(dialog);
        setup.vertical().maximum->setText("100");
        setup.autoZoom()->setChecked(true);
        setup.updateRate()->setText("50");
        setup.accept();
    });
    choose(cmd::kGraphSetup);
    runTicks(60'000);
    const int scanned = scans();
    EXPECT_GT(scanned, 100);
    EXPECT_FALSE(enabled(cmd::kPrintPreview)) << "not while the cast runs";
    EXPECT_LT(acq().session()->cast().scansSinceZoom(), 50u);
    EXPECT_EQ(acq().graph().graph().count(), scanned) << "one point per scan";
    EXPECT_FALSE(acq().readout(AcqWnd::Pressure).text().isEmpty());
    choose(cmd::kListing);
    acq().tick();
    EXPECT_TRUE(acq().listing().isVisible());
    EXPECT_EQ(acq().listing().geometry().top(), acq().graph().geometry().bottom() + 1)
        << "the listing takes the lower third";
    EXPECT_FALSE(acq().listing().toPlainText().isEmpty());
    test::screenshot(frame(), "AcqWnd-vexa3");

    endCast(cmd::kEndCast, [](HeaderDlg& header) {
        EXPECT_EQ(header.textFor("Frame Length:")->text(), "ASCII");
        EXPECT_EQ(header.editFor("Direction:")->text(), "Down");
        header.editFor("Vessel:")->setText("Research Vessel Twenty");
        test::screenshot(header, "HeaderDlg");
    });
    EXPECT_NE(rig.received().find("SS\\r"), std::string::npos) << "the stream stopped";

    const std::vector<std::string> records = recordsOf(data);
    ASSERT_EQ(static_cast<int>(records.size()), acq().session()->cast().scanCount());
    EXPECT_GE(static_cast<int>(records.size()), scanned);
    for (const std::string& record : records)
        ASSERT_EQ(record.size(), records.front().size()) << "whole lines only";
    const std::string header = test::readFile(folder.path() / "cast1.Hdr");
    EXPECT_EQ(header.substr(0, 50), "  Vessel: Research Vess|Cruise #:              |\r\n");
    EXPECT_NE(header.find(" Inst. #: 1634M"), std::string::npos);
    EXPECT_NE(header.find("    Obs.: " + std::to_string(records.size())), std::string::npos);
    EXPECT_EQ(calibrationLine("cast1.C00", 2),
              "RECORD LAYOUT; SS-1,04-2,03-2,02-2,UU-1,64-2,66-2,TT-0");
    EXPECT_EQ(calibrationLine("cast1.C00", 3), "NMEA: NO");
    EXPECT_TRUE(fs::exists(folder.path() / "cast1.BTL"));

    // The cast's graph in the preview, which stands in for the main window while it is open.
    op.expectQuestion("Do you want to print the Cast Information?", "Graph Printout", true);
    choose(cmd::kPrintPreview);
    auto* preview = test::shownWindow<PreviewFrame>();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(frame().isVisible());
    test::screenshot(*preview, "PreviewFrame-cast");
    preview->close();
    EXPECT_TRUE(frame().isVisible());

    // Back in idle: the next cast may start, the window may be left.
    EXPECT_TRUE(enabled(cmd::kStartUpCast));
    EXPECT_TRUE(enabled(cmd::kPortSetup));
    choose(cmd::kConfiguration);
    EXPECT_EQ(frame().client(), &app.configWnd());
}

// Towed acquisition with the simulated GPS receiver on COM2, every record stamped with its
// position and time, and the four pressure graphs enabled in the settings file.
class TowedAcqTest : public AcqWndTest {
protected:
    struct Colour {
        int param;       // position in the channel list
        const char* low; // thresholds
        const char* high;
    };
    static constexpr std::array<Colour, AcqWnd::kPressureGraphs> kColours{
        {{1, "30", "60"}, {2, "5", "20"}, {4, "30", "36"}, {5, "1470", "1520"}}};

    TowedAcqTest() : AcqWndTest(ProductCode::Vexa3, {}, 0) {
        attachGps("/dev/ttyS1");
        kNavEnable.write(settings, 1);
        kNavTimeStamp.write(settings, 1);
        kNavPcTime.write(settings, 0);
        kNavGpsTime.write(settings, 1);
        kAutoZoomEnable.write(settings, 1);
        kAutoZoomRate.write(settings, "40");
        kYMax.write(settings, "250");
        for (int graph = 1; graph <= AcqWnd::kPressureGraphs; ++graph) {
            const Colour& colour = kColours[static_cast<std::size_t>(graph - 1)];
            PresGraphSettings stored = readPresGraphSettings(settings, graph);
            stored.enable = true;
            stored.highPres = "200.0";
            stored.paramIndex = colour.param;
            stored.lowThres = colour.low;
            stored.highThres = colour.high;
            stored.grid = graph % 2 == 0;
            stored.units = graph == 3 ? 1 : 0;
            writePresGraphSettings(settings, graph, stored);
        }
        choose(cmd::kTowAcquisition);
    }
    // The pressure graphs shown, top to bottom.
    std::vector<QRect> shownPressureGraphs() {
        std::vector<QRect> shown;
        for (int k = 0; k < AcqWnd::kPressureGraphs; ++k)
            if (acq().pressureGraph(k).isVisible())
                shown.push_back(acq().pressureGraph(k).geometry());
        return shown;
    }
};

TEST_F(TowedAcqTest, ATowedCastStampsEveryRecordAndFeedsThePressureGraphs) {
    ASSERT_EQ(frame().menu(), MenuId::TowAcq);
    EXPECT_TRUE(acq().towed());
    EXPECT_GT(acq().samplingRate(), 0.0f);
    EXPECT_EQ(acq().graph().geometry().topLeft(), QPoint(1, 100));
    const std::vector<QRect> stacked = shownPressureGraphs();
    ASSERT_EQ(stacked.size(), 4u);
    for (std::size_t k = 0; k < stacked.size(); ++k) {
        EXPECT_EQ(stacked[k].left(), 302);
        EXPECT_EQ(stacked[k].height(), acq().height() / 4);
        EXPECT_EQ(stacked[k].top(), static_cast<int>(k) * (acq().height() / 4));
    }
    for (int command = cmd::kPressureGraph1; command <= cmd::kPressureGraph4; ++command)
        EXPECT_TRUE(enabled(command)) << command;
    EXPECT_TRUE(enabled(cmd::kNavigationPortSetup));

    rig.sleep(35'000); // past the surface soak
    const fs::path data = startCast(cmd::kStartCast, "tow.dat");
    EXPECT_EQ(frame().windowTitle(), "Halcyx - Towed Acquisition - Filename: [tow.dat]");
    EXPECT_TRUE(acq().navPort()->ticking());
    EXPECT_FALSE(enabled(cmd::kNavigationPortSetup));
    EXPECT_TRUE(enabled(cmd::kPressureGraph1)) << "thresholds may change during a tow";
    runTicks(60'000);
    const int scanned = acq().session()->cast().scanCount();
    ASSERT_GT(scanned, 100);
    EXPECT_LT(acq().session()->cast().scansSinceZoom(), 40u) << "auto-zoom as the graph says";
    for (int k = 0; k < AcqWnd::kPressureGraphs; ++k)
        EXPECT_EQ(acq().pressureGraph(k).graph().storedSamples(), scanned) << k;
    EXPECT_EQ(acq().pressureGraph(3).graph().colourName(), "SV");
    EXPECT_FALSE(acq().pressureGraph(0).valueReadout().value().trimmed().isEmpty());
    test::screenshot(frame(), "AcqWnd-towed");

    endCast(cmd::kEndCast);
    EXPECT_FALSE(acq().navPort()->ticking());
    const std::vector<std::string> records = recordsOf(data);
    ASSERT_EQ(static_cast<int>(records.size()), acq().session()->cast().scanCount());
    // Until the first position the hemispheres are unknown; then the receiver's position
    // near 44 30 N 63 30 W and its time and date follow every record.
    const std::regex unknown(R"(.*, 0\.000, X, 0\.000, X, \d\d:\d\d:\d\d \d+-\d+-\d+)");
    const std::regex stamped(
        R"(.*, 44[34]\d\.\d{3}, N, 63[23]\d\.\d{3}, W, \d\d:\d\d:\d\d 12-\d+-2026)");
    std::size_t first = 0;
    while (first < records.size() && std::regex_match(records[first], unknown))
        ++first;
    // The date comes with the sentence after the first position.
    while (first < records.size() && !std::regex_match(records[first], stamped))
        ++first;
    EXPECT_LT(first, 30u) << "a position and date within a few ticks";
    for (std::size_t r = first; r < records.size(); ++r)
        ASSERT_TRUE(std::regex_match(records[r], stamped)) << records[r];
    EXPECT_EQ(calibrationLine("tow.C00", 3), "NMEA: YES");
}

TEST_F(TowedAcqTest, APressureGraphSetUpFromMenuOrDoubleClickIsPlacedAfresh) {
    // Graph 2 is switched off through its menu item...
    test::whenModalOpens([](QDialog& dialog) {
        auto& setup = dynamic_cast<PressureSetupDlg&>(dialog);
        EXPECT_EQ(setup.windowTitle(), "Pressure Graph 2 Setup");
        for (QCheckBox* box : setup.findChildren<QCheckBox*>())
            if (box->text() == "Show Graph")
                box->setChecked(false);
        setup.accept();
    });
    choose(cmd::kPressureGraph1 + 1);
    EXPECT_FALSE(acq().pressureGraph(1).isVisible());
    std::vector<QRect> stacked = shownPressureGraphs();
    ASSERT_EQ(stacked.size(), 3u);
    EXPECT_EQ(stacked[1].top(), acq().height() / 3) << "three share the height";

    // ...and graph 4 asks for its setup with a double click, answered after the click.
    QString title;
    QTest::mouseDClick(&acq().pressureGraph(3), Qt::LeftButton);
    test::whenModalOpens([&title](QDialog& dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    rig.settle();
    EXPECT_EQ(title, "Pressure Graph 4 Setup");

    // Profile acquisition hides the pressure graphs and their setups.
    choose(cmd::kConfiguration);
    choose(cmd::kAcquisition);
    EXPECT_TRUE(shownPressureGraphs().empty());
    EXPECT_FALSE(acq().commandState(cmd::kPressureGraph1).enabled);
}

TEST_F(AcqWndTest, TheSamplerControlsAndTheDisplaysFollowTheirToggles) {
    EXPECT_FALSE(acq().fireButton().isVisible());
    choose(cmd::kEnableSampler);
    EXPECT_TRUE(frame().commandAction(cmd::kEnableSampler)->isChecked());
    EXPECT_TRUE(acq().fireButton().isVisible());
    EXPECT_TRUE(acq().homeButton().isVisible());
    choose(cmd::kGraph);
    EXPECT_FALSE(frame().commandAction(cmd::kGraph)->isChecked());
    choose(cmd::kListing);
    // The listing alone takes the whole area right of the readouts.
    EXPECT_EQ(acq().listing().geometry(), QRect(210, 1, acq().width() - 210, acq().height() - 75));
    choose(cmd::kEnableSampler);
    EXPECT_FALSE(acq().fireButton().isVisible());

    // The DC channel and port dialogs and the terminal open over the window.
    const std::map<int, QString> titles = {{cmd::kDcChannelSetup, "DC Channel Setup"},
                                           {cmd::kPortSetup, "Communications Setup"},
                                           {cmd::kCommunicationsWindow, "Communications Window"}};
    for (const auto& [command, expected] : titles) {
        QString title;
        test::whenModalOpens([&title](QDialog& dialog) {
            title = dialog.windowTitle();
            dialog.reject();
        });
        choose(command);
        EXPECT_EQ(title, expected);
    }
}

class TavrinCtTest : public AcqWndTest {
protected:
    TavrinCtTest()
        : AcqWndTest(ProductCode::TavrinCT,
                     [](sim::Instrument::Config& config) { config.settings.channels[2] = false; }) {
    }
};

TEST_F(TavrinCtTest, ALoggingSessionUsesTheConstantsAndTheTavrinLayout) {
    ASSERT_EQ(frame().menu(), MenuId::AcqCT);
    test::whenModalOpens([](QDialog& dialog) {
        auto& setup = dynamic_cast<AcqSetupDlg&>(dialog);
        EXPECT_EQ(setup.pressureEdit()->text(), "1.00000");
        EXPECT_EQ(setup.latitudeEdit()->text(), "45.0");
        setup.pressureEdit()->setText("-5");
        setup.latitudeEdit()->setText("-33");
        setup.accept();
    });
    choose(cmd::kAcqProperties);
    EXPECT_EQ(acq().constantPressure(), 0.0f);
    EXPECT_EQ(acq().constantLatitude(), 0.0f);

    const fs::path data = startCast(cmd::kStartCast, "moored.dat");
    EXPECT_EQ(acq().dataTimer().interval(), 1500);
    runTicks(90'000);
    EXPECT_GT(scans(), 20);
    EXPECT_FALSE(acq().readout(AcqWnd::Conductivity).text().isEmpty());
    EXPECT_FALSE(acq().readout(AcqWnd::Pressure).isVisible()) << "a CT measures no pressure";
    op.expectMessage("You must stop the current logging session before leaving aquisition!",
                     "Status - Logging", Icon::Stop);
    choose(cmd::kConfiguration);
    EXPECT_EQ(frame().client(), &acq());
    test::screenshot(frame(), "AcqWnd-ct");
    endCast(cmd::kEndCast);

    expectEveryRecordIn(data);
    EXPECT_NE(test::readFile(folder.path() / "moored.Hdr").find("ScanRate: N/A  Hz"),
              std::string::npos);
    EXPECT_EQ(calibrationLine("moored.C00", 2), "RECORD LAYOUT; SS-1,04-2,03-2,UU-1,TT-0");
}

// The adapter is pulled mid-cast and plugged back in on the same path, while the instrument
// descends: its pressure grows from scan to scan, so a line written twice would show.
TEST_F(AcqWndTest, ADataDeviceThatVanishesIsReportedOnceAndTheCastGoesOnWhenItIsBack) {
    rig.sleep(35'000); // past the surface soak
    const fs::path data = startCast(cmd::kStartCast, "pulled.dat");
    runTicks(20'000);
    const int before = acq().session()->cast().scanCount();
    ASSERT_GT(before, 10);
    EXPECT_EQ(static_cast<int>(recordsOf(data).size()), before)
        << "every record cut is on disk at the end of its tick";

    rig.device.unplug();
    op.expectMessage("The data port COM1 (/dev/ttyS0) has gone away.\n\nEvery record received "
                     "until now is in the cast file. The cast goes on by itself when the device "
                     "is back; or end the cast to close its files.",
                     "COMMUNICATION PORT ERROR", Icon::Stop);
    runTicks(10'000); // one message, not one per tick
    EXPECT_TRUE(op.done());
    EXPECT_EQ(acq().session()->cast().scanCount(), before);

    rig.device.plugIn();
    runTicks(20'000);
    EXPECT_GT(acq().session()->cast().scanCount(), before + 10) << "records resume";
    endCast(cmd::kEndCast);
    const std::vector<std::string> records = recordsOf(data);
    ASSERT_EQ(static_cast<int>(records.size()), acq().session()->cast().scanCount());
    double lastPressure = -1.0;
    for (const std::string& record : records) {
        ASSERT_EQ(record.size(), records.front().size()) << "no partial line after the gap";
        const std::size_t third = record.find(',', record.find(',') + 1) + 1;
        const double pressure = std::stod(record.substr(third));
        EXPECT_GT(pressure, lastPressure) << "no line twice: " << record;
        lastPressure = pressure;
    }
    EXPECT_TRUE(fs::exists(folder.path() / "pulled.Hdr"));
    EXPECT_TRUE(fs::exists(folder.path() / "pulled.C00"));
}

// The data file sits on a full disk: said once, the cast ends with its header files.
TEST_F(AcqWndTest, AFullDiskIsReportedOnceAndEndsTheCast) {
    const fs::path data = folder.path() / "full.dat";
    fs::create_symlink("/dev/full", data);
    op.expectFile(true, data.string());
    choose(cmd::kStartCast);
    op.expectMessage("Error writing Cast File " + data.string() +
                         ": No space left on device.\n\nThe records received until now are kept "
                         "in it. The cast ends here.",
                     "Binary File ERROR", Icon::Stop);
    test::whenModalOpens([](QDialog& dialog) { dialog.reject(); });
    runTicks(30'000);
    EXPECT_FALSE(acq().logging());
    EXPECT_FALSE(acq().dataTimer().isActive());
    EXPECT_TRUE(fs::exists(folder.path() / "full.Hdr")) << "written however the dialog closed";
    EXPECT_TRUE(fs::exists(folder.path() / "full.C00"));
}

// Noise on the line, then an instrument that says nothing: no message, and the cast
// still ends with its files.
TEST_F(AcqWndTest, GarbageAndSilenceAreSurvivedQuietly) {
    const fs::path data = startCast(cmd::kStartUpCast, "noise.dat");
    EXPECT_TRUE(enabled(cmd::kEndUpCast));
    EXPECT_FALSE(enabled(cmd::kEndCast));
    rig.device.lineFaults().noise = true;
    runTicks(20'000);
    rig.device.lineFaults().noise = false;
    rig.write("S"); // the stream stops
    runTicks(20'000);
    endCast(cmd::kEndUpCast,
            [](HeaderDlg& header) { EXPECT_EQ(header.editFor("Direction:")->text(), "Up"); });
    expectEveryRecordIn(data);
    EXPECT_TRUE(fs::exists(folder.path() / "noise.Hdr"));
}

} // namespace
} // namespace halcyx
