// The profile graph window offscreen: "Graph Setup" with its OK order and update-rate
// warning, the curve label commands and the "Coordinates" panel, and a synthetic cast with
// its vertical extension, zoom to fit and rubber-band zoom.
#include "gui/graphs/GraphWnd.h"

#include "core/serial/Clock.h"
#include "core/settings/Profile.h"
#include "gui/app/HelpViewer.h"
#include "gui/app/WindowContext.h"
#include "gui/graphs/AxisDlg.h"
#include "gui/graphs/GraphicsDlg.h"
#include "gui/plot/GraphColours.h"
#include "gui/plot/ProfileGraphPainter.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedOperator.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

using test::ScriptedOperator;

// A window whose plot runs 70..470 across and 30..310 down with four scale rows.
constexpr QSize kWindow(509, 430);

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void mouse(QWidget& widget, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// A Vexa cast of conductivity, temperature and pressure: positions 1 to 3 of the channel
// list are record indices 1 to 3, position 4 the program's salinity (index 14).
class GraphWndTest : public test::GuiTest {
protected:
    GraphWndTest() {
        settings.writeString("YAXIS", "Y.Max", "200");
        wnd.resize(kWindow);
        wnd.setChannels(channels, ScanLayout::Vexa);
    }

    std::string setting(const char* section, const char* key) {
        return settings.readString(section, key, "?", 64);
    }

    test::TempFolder folder;
    Profile settings{folder / "Halcyx.ini"};
    ScriptedOperator op;
    VirtualClock clock;
    HelpViewer help{{}, [](const QUrl&) { return true; }};
    WindowContext context{op, clock, settings, help,
                          [] { return std::unique_ptr<SerialDevice>(); }};
    ChannelList channels{ScanLayout::Vexa,
                         mask::kConductivity | mask::kTemperature | mask::kPressure,
                         buildDcConversions(DCChannelTable{})};
    GraphWnd wnd{context};
};

TEST_F(GraphWndTest, SetupHandsTheEntriesToTheGraphThenWarnsThenWritesTheSettings) {
    std::vector<std::pair<bool, int>> zooms;
    QObject::connect(&wnd, &GraphWnd::autoZoomChanged,
                     [&zooms](bool on, int rate) { zooms.emplace_back(on, rate); });
    test::whenModalOpens([this](QDialog& shown) {
        auto& dialog = dynamic_cast<GraphicsDlg&>(shown);
        EXPECT_EQ(dialog.vertical().maximum->text(), "200.000");
        EXPECT_EQ(dialog.horizontal(3).param->currentText(), "*SAL");
        EXPECT_FALSE(dialog.updateRate()->isEnabled());
        dialog.autoZoom()->setChecked(true);
        EXPECT_TRUE(dialog.updateRate()->isEnabled());
        typeInto(dialog.title(), "Station 7");
        typeInto(dialog.updateRate(), "3");
        typeInto(dialog.horizontal(1).minimum, "4.5");
        dialog.vertical().param->setCurrentIndex(0);
        dialog.horizontal(2).enable->setChecked(false);
        test::screenshot(dialog, "GraphicsDlg");
        op.expectMessage("Minimum update rate is 5!", "Update Rate Warning", Icon::Exclamation);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.updateRate()->text(), "5");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    EXPECT_TRUE(wnd.onCommand(cmd::kGraphSetup));

    const ProfileGraph& graph = wnd.graph();
    EXPECT_EQ(graph.title(), "Station 7");
    EXPECT_EQ(graph.vertical().channel, 0) << "SCANS";
    EXPECT_EQ(graph.horizontal(1).range, (AxisRange{4.5, 30}));
    EXPECT_EQ(graph.enabledAxes(), 3);
    EXPECT_EQ(op.waitCursorChanges, 2);
    EXPECT_FALSE(op.waitCursor);
    EXPECT_EQ(setting("GRAPH", "Title"), "Station 7");
    EXPECT_EQ(setting("XAXIS", "X2.Min"), "4.5");
    EXPECT_EQ(setting("XAXIS", "X3.Enable"), "0");
    EXPECT_EQ(setting("YAXIS", "Y.Param"), "0");
    EXPECT_EQ(setting("AUTOZOOM", "Enable"), "1");
    EXPECT_EQ(setting("AUTOZOOM", "Rate"), "5");
    ASSERT_EQ(zooms.size(), 1u);
    EXPECT_EQ(zooms[0], std::make_pair(true, 5));
}

TEST_F(GraphWndTest, CurveLabelsAndCoordinatesFollowTheirCommands) {
    op.expectInput("Enter the label for curve #2:", "Warm water");
    EXPECT_TRUE(wnd.onCommand(cmd::kAxis1Label + 2));
    wnd.show();
    mouse(wnd, QEvent::MouseButtonPress, Qt::RightButton, {200, 100});
    mouse(wnd, QEvent::MouseButtonRelease, Qt::RightButton, {200, 100});
    const CurveLabel& label = wnd.graph().labels()[1];
    EXPECT_EQ(label.text, "Warm water");
    EXPECT_EQ(label.box, (PixelRect{200, 100, 250, 120}));
    EXPECT_TRUE(wnd.commandState(cmd::kAxis1Label + 3).checked);
    EXPECT_TRUE(wnd.onCommand(cmd::kAxis1Label + 3));
    EXPECT_FALSE(wnd.commandState(cmd::kAxis1Label + 3).checked) << "the enable hides it";

    EXPECT_TRUE(wnd.onCommand(cmd::kGraphCoordinates));
    AxisDlg* panel = wnd.coordinates();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(wnd.commandState(cmd::kGraphCoordinates).checked);
    EXPECT_EQ(setting("GRAPH", "AxisCoordinates"), "1");
    EXPECT_EQ(panel->name(0)->text(), "Depth");
    EXPECT_EQ(panel->name(4)->text(), "Fast Temp");
    mouse(wnd, QEvent::MouseMove, Qt::NoButton, {270, 170});
    EXPECT_EQ(panel->value(0)->text(), "100");
    EXPECT_EQ(panel->value(1)->text(), "35.000");
    EXPECT_EQ(wnd.cursor().shape(), Qt::CrossCursor);
    test::screenshot(*panel, "AxisDlg");

    EXPECT_TRUE(wnd.onCommand(cmd::kGraphCoordinates));
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(setting("GRAPH", "AxisCoordinates"), "0");
    EXPECT_FALSE(wnd.onCommand(cmd::kListing));
}

TEST_F(GraphWndTest, ACastExtendsTheDepthAndZoomsToItsData) {
    constexpr int kScans = 3000;
    wnd.clearData();
    for (int scan = 0; scan < kScans; ++scan) {
        ScanRecord record;
        const float pressure = scan * 0.1f;
        record[0] = static_cast<float>(scan);
        record[1] = 30 + 20 * std::exp(-pressure / 80);
        record[2] = 4 + 16 * std::exp(-pressure / 60);
        record[3] = pressure;
        record[14] = 34 + std::sin(pressure / 30);
        wnd.onScan(record, ScanRecord::kValues);
        if (scan == kScans / 2)
            wnd.show(); // the first half before the window was ever shown
        if (scan % 500 == 0)
            QApplication::processEvents(); // paints in between, as the data timer allows
    }
    const ProfileGraph& graph = wnd.graph();
    EXPECT_EQ(graph.count(), kScans);
    EXPECT_EQ(graph.vertical().range.maximum, 400) << "extended twice by 100";

    wnd.onZoom();
    const AxisRange temperature = graph.horizontal(1).range; // 4.1 to 20 widened by a tenth
    EXPECT_TRUE(temperature.minimum > 2.5 && temperature.minimum < 2.6) << temperature.minimum;
    EXPECT_TRUE(temperature.maximum > 21.5 && temperature.maximum < 21.6) << temperature.maximum;
    const QImage shot = wnd.grab().toImage();
    EXPECT_EQ(shot.pixelColor(QPoint(0, 0)), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(QPoint(5, 5)), kGraphBackground);
    test::screenshot(wnd, "GraphWnd");

    // The same drawing on a PDF page lays the graph out in the page's rectangle.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        QPainter page(&writer);
        const QRect frame(0, 0, page.device()->width(), page.device()->height());
        ProfileGraphPainter(graph).draw(page,
                                        frame.adjusted(frame.width() / 10, frame.height() / 10,
                                                       -frame.width() / 10, -frame.height() / 10));
    }
    EXPECT_GT(pdf.size(), 1000);
    EXPECT_EQ(graph.curve(0), graph.curvesIn(graph.layout().plot)[0]) << "the screen curves stay";

    const ProfileAxes before = graph.ranges();
    mouse(wnd, QEvent::MouseButtonPress, Qt::LeftButton, {170, 100});
    mouse(wnd, QEvent::MouseMove, Qt::LeftButton, {370, 240});
    mouse(wnd, QEvent::MouseButtonRelease, Qt::LeftButton, {370, 240});
    EXPECT_EQ(graph.vertical().range, (AxisRange{100, 300}));
    EXPECT_NE(graph.horizontal(0).range, before.horizontal[0]);
}

// A rebuilt curve leaves out most points of a jittery cast, yet draws the very pixels the
// polyline through every scan would.
TEST(ProfileGraphCurves, LeaveOutOnlyPointsThatAddNoPixel) {
    test::guiApp();
    ProfileGraph graph;
    graph.setAxisChannel(ProfileGraph::kVerticalAxis, 3);
    graph.setAxisChannel(0, 1);
    graph.setHorizontalRange(0, {0, 10});
    graph.setVerticalRange({0, 100});
    const QRect client(QPoint(0, 0), kWindow);
    graph.setClient({0, 0, client.width(), client.height()});
    const PixelRect plot = graph.layout().plot;
    const AxisScale across({0, 10}, plot.left, plot.right), down({0, 100}, plot.top, plot.bottom);
    QPolygon everyScan;
    for (int scan = 0; scan < 20000; ++scan) {
        const float depth = scan * 0.0025f; // down to 50, clear of the bottom
        const float value = 5 + 3 * std::sin(depth / 9) + 0.05f * static_cast<float>(scan % 7);
        (void)graph.addPoint(depth, {value, 0, 0, 0});
        everyScan.append(QPoint(std::clamp(across.toPixel(value), plot.left + 1, plot.right - 1),
                                std::clamp(down.toPixel(depth), plot.top + 1, plot.bottom - 1)));
    }
    graph.rebuildCurves();
    const std::vector<PixelPoint>& kept = graph.curve(0);
    EXPECT_LT(kept.size() * 4, static_cast<std::size_t>(everyScan.size()));

    const auto drawn = [&client](const QPolygon& line) {
        QImage image(client.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.drawPolyline(line);
        return image;
    };
    QPolygon keptLine;
    for (const PixelPoint& p : kept)
        keptLine.append(QPoint(p.x, p.y));
    EXPECT_EQ(drawn(keptLine), drawn(everyScan));
}

} // namespace
} // namespace halcyx
