// The shared graph drawing pieces on an image and on PDF pages, at ordinary and tiny sizes.
#include "gui/plot/PlotPieces.h"

#include "core/graphs/StripView.h"
#include "gui/plot/GraphColours.h"
#include "gui/plot/GraphPainter.h"
#include "gui/plot/GraphText.h"
#include "gui/plot/PlotDevice.h"
#include "tests/gui/GuiTestSupport.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

using namespace halcyx;

namespace {

// A strip chart made of the shared pieces, as the strip graphs will draw theirs.
class StripSketch : public GraphPainter {
public:
    void draw(QPainter& painter, QRect frame) const override {
        const PlotDevice device(painter);
        const StripLayout layout = device.onPaper()
                                       ? StripLayoutOnPage(toPixelRect(frame), device.pixel())
                                       : ModuleStripOnScreen(frame.width(), frame.height());
        const QRect plot = toQRect(layout.plot);
        drawFramedBox(painter, frame, kGraphBackground, device.penWidth());
        drawFramedBox(painter, plot, Qt::white, device.penWidth());

        painter.setFont(graphFont(kStripScaleFont, device));
        painter.setPen(kGraphScaleNavy);
        const int rows =
            device.onPaper() ? kPageStripDivisions : StripValueDivisions(plot.height());
        const std::vector<ScaleMark> values =
            MarkScale(layout.plot.top, layout.plot.bottom, {0, 300}, rows, LabelStyle::OneDecimal);
        drawValueScale(painter, values, plot.left(), scaled(kModuleScale, device));
        drawGridLines(painter, plot, std::span(values).subspan(1, values.size() - 2), {},
                      kGraphGrey, 1);
        const std::vector<ScaleMark> times =
            StripView().timeMarks(layout.plot.left, layout.plot.right,
                                  StripTimeDivisions(plot.width()), StripUnits::Scans, 1);
        drawHorizontalScale(painter, times,
                            {layout.plot.bottom, layout.plot.bottom + device.px(kStripTimeTick),
                             device.px(kStripTimeTick), false, true});

        painter.setFont(graphFont(kModuleCaptionFont, device));
        painter.setPen(kGraphTitleBlue);
        drawUpwardCaption(painter, QStringLiteral("Pressure (dbars)"), frame.left() + device.px(5),
                          plot.center().y());
        drawCurve(painter,
                  {{layout.plot.left, layout.plot.top}, {layout.plot.right, layout.plot.bottom}},
                  kModuleLineGreen, 2 * device.penWidth());
        painter.setPen(QPen(kColourClassColours[7], device.penWidth()));
        drawSampleCross(painter, plot.center(), device.px(kSampleArm));
    }
};

int CountPixels(const QImage& image, const QRect& area, bool (*wanted)(QColor)) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

class PlotPiecesTest : public test::GuiTest {};

} // namespace

TEST_F(PlotPiecesTest, DrawsFrameGridScalesAndCaptionOnScreen) {
    QImage image(400, 300, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
        QPainter painter(&image);
        const PlotDevice device(painter);
        EXPECT_FALSE(device.onPaper());
        EXPECT_EQ(device.penWidth(), 1);
        EXPECT_EQ(graphFont(kProfileScaleFont, device).pixelSize(), 12);
        EXPECT_EQ(graphFont(kCurveLabelFont, device).pixelSize(), 12) << "9 points at 96 dpi";
        StripSketch().draw(painter, image.rect());
    }
    // The plot of a 400 x 300 module strip runs from (100, 5) to (380, 235).
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(399, 299), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(50, 280), kGraphBackground);
    EXPECT_EQ(image.pixelColor(100, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(300, 60), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(240, 120), kColourClassColours[7]) << "the sample cross";

    const int gridDots =
        CountPixels(image, QRect(101, 28, 278, 1), [](QColor c) { return c == kGraphGrey; });
    EXPECT_GT(gridDots, 50) << "the first inner division is dotted";
    EXPECT_LT(gridDots, 250);
    struct Ink {
        const char* what;
        QRect area;
        int pixels;
    };
    for (const Ink& ink : {Ink{"value labels", QRect(30, 0, 60, 240), 50},
                           Ink{"x labels", QRect(100, 238, 280, 40), 10},
                           Ink{"upward caption", QRect(4, 40, 20, 160), 30}})
        EXPECT_GT(
            CountPixels(image, ink.area, [](QColor c) { return c.blue() > 80 && c.red() < 80; }),
            ink.pixels)
            << ink.what;
    EXPECT_EQ(CountPixels(image, image.rect(), [](QColor c) { return c == Qt::magenta; }), 0);

    QImage dot(1, 1, QImage::Format_RGB32);
    QPainter painter(&dot);
    for (const QRect tiny : {QRect(0, 0, 0, 0), QRect(0, 0, 1, 1), QRect(0, 0, -5, -5)})
        StripSketch().draw(painter, tiny);
}

TEST_F(PlotPiecesTest, DrawsOnPdfPagesAtAnySize) {
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(1200);
    {
        QPainter painter(&writer);
        const PlotDevice device(painter);
        EXPECT_TRUE(device.onPaper());
        EXPECT_EQ(device.penWidth(), 33) << "a seventh of 14 points at 1200 dpi";
        EXPECT_EQ(graphFont(kProfileScaleFont, device).pixelSize(), 200) << "12 points";
        const QRect page = painter.viewport();
        StripSketch().draw(painter, QRect(page.width() / 10, page.height() / 10,
                                          page.width() * 7 / 10, page.height() / 4));
        for (const QRect tiny :
             {QRect(0, 0, 0, 0), QRect(10, 10, 1, 1), QRect(5, 5, 3, 3), QRect(100, 100, -50, -50)})
            StripSketch().draw(painter, tiny);
    }
    EXPECT_GT(pdf.size(), 1000);
}
