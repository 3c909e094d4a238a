// The module window offscreen over the simulated modules on the virtual clock: entering the
// mode, selecting the module, logging with the file checked against the listing, the menu's
// enabling, Exit refused while logging, the views and their layout, scrolling back through
// the graph, and the graph setup with its settings.
#include "gui/module/ModAcqWnd.h"

#include "core/base/Commands.h"
#include "core/settings/Profile.h"
#include "gui/acquisition/ListingWnd.h"
#include "gui/app/MainFrame.h"
#include "gui/app/VeltroApp.h"
#include "gui/module/ModGraph.h"
#include "gui/module/ModGraphSetupDlg.h"
#include "gui/module/SelectModDlg.h"
#include "gui/printing/PreviewFrame.h"
#include "gui/widgets/TextWnd.h"
#include "sim/ModuleModel.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedOperator.h"
#include "tests/support/SimRig.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

using sim::ModuleModel;

// Checks (or unchecks) the radio button or check box with this text in the dialog.
void click(QDialog& dialog, const QString& text, bool checked = true) {
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->text() == text) {
            button->setChecked(checked);
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

// The program over a simulated module on COM1, in module acquisition.
struct Program {
    explicit Program(ModuleModel::Kind kind = ModuleModel::Kind::Temperature)
        : rig(std::make_unique<ModuleModel>(kind)) {
        rig.pumpEvents = [] { QApplication::processEvents(); };
        app.show();
        frame().runCommand(cmd::kModuleAcquisition);
    }

    // One logging session, from selecting the module to the file.
    void logOneSession(const char* button, const char* caption);

    MainFrame& frame() { return app.frame(); }
    ModAcqWnd& wnd() { return app.modAcqWnd(); }
    bool enabled(int command) {
        frame().refreshCommandStates();
        return frame().commandAction(command)->isEnabled();
    }
    void selectModule(const char* button, const QString& screenshot = {}) {
        test::whenModalOpens([=](QDialog& dialog) {
            if (!screenshot.isEmpty())
                test::screenshot(dialog, screenshot);
            click(dialog, QString::fromLatin1(button));
            dialog.accept();
        });
        op.expectMessage("Instrument must be in RUN mode!", "State Error", Icon::Stop);
        frame().runCommand(cmd::kSelectModule);
    }
    void startLogging() {
        op.expectFile(true, path);
        frame().runCommand(cmd::kModStartLogging);
    }
    // Data ticks for the seconds given; the range of what the module measured since logging
    // started (its first records were sent during the start).
    AxisRange run(int seconds) {
        const auto& module = rig.peerAs<ModuleModel>();
        AxisRange measured{1e9, -1e9};
        const std::int64_t startMs = rig.clock.nowMs() - kStartMs;
        for (int s = 0; s < seconds; ++s) {
            rig.clock.advanceMs(ModuleSession::kDataTickMs);
            wnd().onDataTimer();
        }
        for (std::int64_t ms = startMs; ms <= rig.clock.nowMs(); ms += kStartMs / 100) {
            const double value = module.valueAt(ms * sim::kNanosPerMs);
            measured = {std::min(measured.minimum, value), std::max(measured.maximum, value)};
        }
        return measured;
    }
    static constexpr std::int64_t kStartMs = 5000;
    std::vector<std::string> fileLines() { return test::lines(test::readFile(path)); }

    QApplication& qt = test::guiApp(); // before any widget
    test::TempFolder folder;
    Profile settings{folder.path() / "Halcyx.ini"};
    std::string path = (folder.path() / "module.dat").string();
    test::SimRig rig;
    test::ScriptedOperator& op = rig.op;
    VeltroApp app{{settings, &op, &rig.clock, [this] { return rig.connect(); },
                   [](const QUrl&) { return true; }}};
};

TEST(ModAcqWnd, LogsEachModuleToTheFileAndTheListingAndHoldsTheProgramOpenMeanwhile) {
    const struct {
        ModuleModel::Kind kind;
        const char* button;
        const char* caption;
    } modules[] = {
        {ModuleModel::Kind::Conductivity, "Sea Conductivity Unit (SCU)",
         "Conductivity (mmho IPS-78)"},
        {ModuleModel::Kind::Temperature, "Sea Temperature Unit (STU)",
         "Temperature (Celsius ITS-90)"},
        {ModuleModel::Kind::Pressure, "Sea Pressure Unit (SPU)", "Pressure (dbars)"},
    };
    for (const auto& module : modules) {
        Program program(module.kind);
        program.logOneSession(module.button, module.caption);
    }
}

void Program::logOneSession(const char* button, const char* caption) {
    const bool temperature = std::string(button).find("STU") != std::string::npos;
    EXPECT_TRUE(enabled(cmd::kSelectModule));
    for (int command : {cmd::kModStartLogging, cmd::kModEndLogging, cmd::kPrint})
        EXPECT_FALSE(enabled(command)) << command;
    EXPECT_TRUE(frame().commandAction(cmd::kGraph)->isChecked());
    EXPECT_FALSE(frame().commandAction(cmd::kListing)->isChecked());

    selectModule(button, temperature ? "SelectModDlg" : "");
    EXPECT_EQ(wnd().session()->graph().caption(), caption);
    EXPECT_TRUE(enabled(cmd::kModStartLogging));
    startLogging();
    EXPECT_EQ(frame().windowTitle(), "Halcyx - Module Acquisition - Filename: [module.dat]");
    EXPECT_TRUE(wnd().dataTimerRunning());
    EXPECT_FALSE(enabled(cmd::kModStartLogging));
    EXPECT_TRUE(enabled(cmd::kModEndLogging));
    const AxisRange measured = run(40);

    op.expectMessage("You must stop the current logging session before leaving aquisition!",
                     "Status - Logging", Icon::Stop);
    EXPECT_FALSE(frame().close());
    frame().runCommand(cmd::kListing);
    EXPECT_TRUE(wnd().listing().isVisible());
    if (temperature)
        test::screenshot(frame(), "ModAcqWnd");

    frame().runCommand(cmd::kModEndLogging);
    EXPECT_FALSE(wnd().dataTimerRunning());
    const std::vector<std::string> records = fileLines();
    ASSERT_GE(records.size(), 30u);
    QStringList listed = wnd().listing().toPlainText().split('\n');
    listed.removeAll(QString());
    ASSERT_EQ(listed.size(), static_cast<qsizetype>(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(listed[static_cast<qsizetype>(i)].toStdString(), records[i]);
        EXPECT_GE(std::stod(records[i]), measured.minimum - 1e-4) << records[i];
        EXPECT_LE(std::stod(records[i]), measured.maximum + 1e-4) << records[i];
    }
    EXPECT_EQ(wnd().session()->graph().visibleSamples().size(), records.size());
    EXPECT_TRUE(enabled(cmd::kModStartLogging));
    EXPECT_TRUE(enabled(cmd::kPrint)) << "records to print";
    if (temperature) {
        op.expectQuestion("Do you want to print the Cast Information?", "Graph Printout", true);
        frame().runCommand(cmd::kPrintPreview);
        PreviewFrame* preview = test::shownWindow<PreviewFrame>();
        ASSERT_NE(preview, nullptr);
        test::screenshot(*preview, "PreviewFrame-module");
        preview->close();
    }
    EXPECT_TRUE(frame().close());
}

TEST(ModAcqWnd, TheViewsShareTheWindowAndTheGraphScrollsBackNoFurtherThanItsHistory) {
    Program p;
    const QSize client(800, 600);
    const ModAcqWnd::Layout both = ModAcqWnd::layoutFor(client, true, true);
    EXPECT_EQ(both.graph, QRect(2, 2, 796, 250));
    EXPECT_EQ(both.listing, QRect(2, 262, 796, 250));
    EXPECT_EQ(both.bitmap, QRect(2, 520, 300, 80));
    EXPECT_EQ(ModAcqWnd::layoutFor(client, false, true).listing, QRect(2, 2, 796, 518));
    const ModAcqWnd::Layout none = ModAcqWnd::layoutFor(QSize(800, 400), false, false);
    EXPECT_TRUE(none.graph.isEmpty() && none.listing.isEmpty() && none.bitmap.isEmpty());

    ModGraphData& data = p.wnd().session()->graph();
    data.setRange(-5, 55);
    for (int k = 0; k < 700; ++k) {
        data.addValue(static_cast<float>(k % 50));
        data.addPosition(4430.0 + k / 100.0, 'N', 6315.0, 'W');
    }
    ModGraph& graph = p.wnd().graph();
    QScrollBar& bar = graph.scrollBar();
    EXPECT_EQ(bar.value(), bar.maximum()) << "live at the right end";
    bar.triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(graph.positionReadout().value(), "100");
    bar.triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(graph.positionReadout().value(), "188") << "700 written, 512 in view";
    EXPECT_EQ(bar.value(), bar.maximum() - 188);
    graph.setNavigation(true);
    test::screenshot(p.frame(), "ModAcqWnd-scrolled");
}

TEST(ModAcqWnd, GraphSetupAppliesAndStoresTheChoices) {
    Program p;
    p.frame().runCommand(cmd::kGraphZoomAll); // nothing to fit yet: the range stays
    EXPECT_EQ(p.wnd().session()->graph().range(), (AxisRange{0.0, 300.0}));
    test::whenModalOpens([](QDialog& dialog) {
        auto& setup = dynamic_cast<ModGraphSetupDlg&>(dialog);
        EXPECT_EQ(setup.lowField()->text(), "0.0000");
        EXPECT_EQ(setup.highField()->text(), "300.0000");
        test::screenshot(dialog, "ModGraphSetupDlg");
        setup.lowField()->setText("12.5");
        setup.highField()->setText("21");
        for (const char* button : {"Time", "Use Grid", "Wide"})
            click(dialog, QString::fromLatin1(button));
        dialog.accept();
    });
    p.frame().runCommand(cmd::kGraphSetup);
    const ModGraphData& data = p.wnd().session()->graph();
    EXPECT_EQ(data.range(), (AxisRange{12.5, 21.0}));
    EXPECT_TRUE(data.grid());
    EXPECT_EQ(data.units(), StripUnits::Seconds);
    EXPECT_EQ(data.view().viewWidth(), StripView::kWide);
    test::screenshot(p.frame(), "ModAcqWnd-grid");
    const auto keys = [&p] {
        std::string text;
        for (const char* name : {"Low", "High", "Enable", "Grid", "Width", "Units"})
            text += p.settings.readString("MODGRAPH", name, "", 16) + " ";
        return text;
    };
    EXPECT_EQ(keys(), "12.5 21 1 1 2 1 ");

    test::whenModalOpens([](QDialog& dialog) {
        click(dialog, QStringLiteral("Show Graph"), false);
        dialog.accept();
    });
    p.frame().runCommand(cmd::kGraphSetup);
    EXPECT_FALSE(p.frame().commandAction(cmd::kGraph)->isChecked()) << "Show Graph unticked";
    EXPECT_FALSE(p.wnd().graph().isVisible());
    EXPECT_EQ(keys(), "12.5000 21.0000 0 1 2 1 ");

    // The terminal opens on the data port.
    QString terminal;
    test::whenModalOpens([&terminal](QDialog& dialog) {
        terminal = dialog.windowTitle();
        dialog.reject();
    });
    p.frame().runCommand(cmd::kCommunicationsWindow);
    EXPECT_EQ(terminal, "Communications Window");
}

} // namespace
} // namespace halcyx
