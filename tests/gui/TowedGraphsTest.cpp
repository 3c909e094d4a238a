// The towed pressure graph windows fed with scans and their scroll bar, and the pressure
// graph setup dialog.
#include "core/acquisition/ChannelList.h"
#include "core/acquisition/ScanRecord.h"
#include "core/app/HelpLocation.h"
#include "core/graphs/PresGraphSettings.h"
#include "core/navigation/NavFix.h"
#include "core/settings/Profile.h"
#include "gui/graphs/PresGraphWnd.h"
#include "gui/graphs/PressureSetupDlg.h"
#include "gui/widgets/TextWnd.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedOperator.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace halcyx {
namespace {

constexpr ChannelMask kCondTempPres = 0x07;

class TowedGraphsTest : public test::GuiTest {
protected:
    // A towed scan: pressure and conductivity along a wavy tow, and the position it was at.
    static void Feed(PresGraphWnd& wnd, int scans, double phase = 0) {
        ScanRecord record;
        NavFix fix{4430.125, 6330.5, 'N', 'W'};
        for (int i = 0; i < scans; ++i) {
            const double t = i / 40.0 + phase;
            record[scan::vexa::kPressure] = static_cast<float>(120 + 80 * std::sin(t));
            record[scan::vexa::kConductivity] = static_cast<float>(150 + 150 * std::cos(t / 3));
            fix.latitude += 0.01;
            fix.longitude -= 0.01;
            wnd.addScan(record, fix);
        }
    }
    QAbstractButton* button(QWidget& parent, const QString& text) {
        for (auto* b : parent.findChildren<QAbstractButton*>())
            if (b->text() == text)
                return b;
        ADD_FAILURE() << "no button " << text.toStdString();
        return nullptr;
    }

    test::TempFolder folder;
    Profile settings{folder / "Halcyx.ini"};
    ChannelList channels{ScanLayout::Vexa, kCondTempPres, buildDcConversions(DCChannelTable())};
    test::ScriptedOperator op;
};

TEST_F(TowedGraphsTest, FourGraphsShowWhatTheyWereFed) {
    QWidget stack;
    stack.resize(700, 1000);
    auto* layout = new QVBoxLayout(&stack);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const int widths[] = {0, 1, 2, 0};
    for (int k = 0; k < 4; ++k) {
        auto* wnd = new PresGraphWnd(k, &stack);
        PresGraphSettings chosen{"0.0",      "250.0",   "0.0", "300.0", true,
                                 k % 2 == 0, widths[k], k % 2, 1};
        wnd->applySettings(chosen, channels);
        wnd->startCast(4.5);
        Feed(*wnd, 300 + 700 * k, k);
        wnd->redrawStrip();
        layout->addWidget(wnd);
        EXPECT_EQ(wnd->valueReadout().caption(), "COND");
    }
    test::screenshot(stack, "PresGraphs");
}

TEST_F(TowedGraphsTest, TheScrollBarMovesTheViewWithinTheHistory) {
    PresGraphWnd wnd(0);
    wnd.resize(600, 250);
    wnd.applySettings({"0.0", "300.0", "0.0", "300.0", true, false, 0, 0, 1}, channels);
    wnd.startCast(4.5);
    Feed(wnd, 3000);
    const float lastValue = static_cast<float>(150 + 150 * std::cos(2999 / 120.0));
    EXPECT_EQ(wnd.valueReadout().value(),
              QString::asprintf("%10.4f", static_cast<double>(lastValue)));
    QScrollBar& bar = wnd.scrollBar();
    EXPECT_EQ(bar.maximum(), StripView::kScrollLimit - StripView::kNarrow);
    EXPECT_EQ(bar.value(), bar.maximum()) << "live at the right end";
    for (int i = 0; i < 10; ++i)
        bar.triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(wnd.positionReadout().value(), "2001") << "samples added - 1000";
    EXPECT_EQ(bar.value(), bar.maximum() - 1000);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(wnd.positionReadout().value(), "2002");
    bar.triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(wnd.positionReadout().value(), "513") << "stops at the oldest sample";
    EXPECT_EQ(bar.value(), bar.maximum() - (3000 - StripView::kNarrow));
    test::screenshot(wnd, "PresGraphWnd-scrolled");

    wnd.startCast(4.5);
    EXPECT_EQ(bar.value(), bar.maximum()) << "a new cast is live";
}

TEST_F(TowedGraphsTest, TheSetupDialogStoresAndAppliesItsChoices) {
    PresGraphWnd wnd(2);
    wnd.graph().setPressureRange(1.5, 200);
    PressureSetupDlg dialog(wnd, channels, settings, op);
    EXPECT_EQ(dialog.windowTitle(), "Pressure Graph 3 Setup");
    EXPECT_EQ(dialog.lowPressure()->text(), "1.5000");
    EXPECT_EQ(dialog.highThreshold()->text(), "300.0000");
    EXPECT_FALSE(button(dialog, "Distance")->isEnabled());
    EXPECT_TRUE(button(dialog, "Scans")->isChecked());
    EXPECT_TRUE(button(dialog, "Narrow")->isChecked());
    EXPECT_EQ(dialog.colourParameter()->count(), static_cast<int>(channels.size()));
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
    EXPECT_EQ(op.helpContexts, std::vector<int>{help::kStripGraphSetup});

    dialog.lowPressure()->setText("10");
    dialog.highPressure()->setText("90.5");
    dialog.lowThreshold()->setText("30");
    dialog.highThreshold()->setText("36");
    dialog.colourParameter()->setCurrentIndex(2);
    for (const char* choice : {"Time", "Wide", "Show Graph", "Use Grid"})
        button(dialog, choice)->click();
    test::screenshot(dialog, "PressureSetupDlg");
    dialog.accept();

    EXPECT_EQ(test::readFile(settings.path()),
              "[PGRAPH3]\r\nLowPres=10\r\nHighPres=90.5\r\nLowThres=30\r\nHighThres=36\r\n"
              "Enable=1\r\nGrid=1\r\nWidth=2\r\nUnits=1\r\nParamIndex=2\r\n");
    const PresGraph& graph = wnd.graph();
    EXPECT_EQ(graph.lowPressure(), 10);
    EXPECT_EQ(graph.highPressure(), 90.5);
    EXPECT_EQ(graph.highThreshold(), 36);
    EXPECT_EQ(graph.units(), StripUnits::Seconds);
    EXPECT_TRUE(graph.grid());
    EXPECT_EQ(wnd.scrollBar().maximum(), StripView::kScrollLimit - StripView::kWide);
    EXPECT_EQ(graph.colourName(), "TEMP");
    EXPECT_EQ(wnd.colourIndex(), scan::vexa::kTemperature);
    EXPECT_TRUE(wnd.graphEnabled());

    PresGraphWnd reopened(2); // what the next acquisition start reads
    reopened.loadSettings(settings, channels);
    EXPECT_EQ(reopened.graph().highPressure(), 90.5);
    EXPECT_EQ(reopened.colourIndex(), scan::vexa::kTemperature);
    EXPECT_EQ(reopened.graph().view().viewWidth(), StripView::kWide);
}

} // namespace
} // namespace halcyx
