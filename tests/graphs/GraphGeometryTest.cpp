// Plot layouts, axis scaling, scale divisions and labels, autozoom and the profile hit-test.
#include "core/graphs/Autozoom.h"
#include "core/graphs/ProfileCoordinates.h"
#include "core/graphs/ScaleMarks.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace halcyx;

TEST(PlotGeometry, PlacesTheProfilePlotByItsEnabledScaleRows) {
    const PixelRect client{0, 0, 800, 600};
    EXPECT_EQ(ProfileLayoutOnScreen(client, 0).plot, (PixelRect{70, 30, 761, 480}));
    EXPECT_EQ(ProfileLayoutOnScreen(client, 1).plot.bottom, 570);
    EXPECT_EQ(ProfileLayoutOnScreen(client, 4).plot.bottom, 480);
    EXPECT_EQ(ProfileLayoutOnScreen(client, 4).scaleRowTop, 490);

    // On paper the room under the plot is a share of the rectangle, wherever it stands.
    for (const PixelRect frame : {PixelRect{0, 0, 1000, 2000}, PixelRect{350, 400, 1350, 2400}}) {
        const ProfileLayout four = ProfileLayoutOnPage(frame, 4, 6.25);
        EXPECT_EQ(four.plot, (PixelRect{frame.left + 100, frame.top + 100, frame.right - 50,
                                        frame.bottom - 300}));
        EXPECT_EQ(four.scaleRowTop, four.plot.bottom + 300 / 8);
        EXPECT_EQ(four.rowPitch, 75);
        EXPECT_EQ(ProfileLayoutOnPage(frame, 1, 6.25).plot.bottom, frame.bottom - 75);
        EXPECT_EQ(ProfileLayoutOnPage(frame, 0, 6.25).plot.bottom, frame.bottom - 300);
    }

    EXPECT_EQ(PressureStripOnScreen(800, 300).plot, (PixelRect{60, 5, 650, 285}));
    EXPECT_EQ(ModuleStripOnScreen(800, 300).plot, (PixelRect{100, 5, 780, 235}));
    // Windows smaller than the margins leave an empty plot, never an inverted one.
    for (const PixelRect plot :
         {ProfileLayoutOnScreen({0, 0, 20, 20}, 2).plot, PressureStripOnScreen(5, 5).plot,
          ModuleStripOnScreen(0, 0).plot, StripLayoutOnPage({0, 0, 3, 3}, 6.25).plot})
        EXPECT_TRUE(plot.width() >= 0 && plot.height() >= 0)
            << plot.width() << " x " << plot.height();
}

TEST(AxisScale, MapsValuesToPixelsAndBack) {
    struct Case {
        const char* what;
        AxisRange range;
        double from, to;
    };
    const std::vector<Case> cases = {
        {"depth grows downwards", {0, 500}, 30, 480},
        {"horizontal axis", {-1, 10}, 70, 761},
        {"minimum above maximum", {27, 17}, 70, 761},
        {"strip plot from its own top", {0, 300}, 0, 280},
    };
    for (const Case& c : cases) {
        const AxisScale scale(c.range, c.from, c.to);
        EXPECT_EQ(scale.toPixel(c.range.minimum), c.from) << c.what;
        EXPECT_EQ(scale.toPixel(c.range.maximum), c.to) << c.what;
        for (int pixel = static_cast<int>(c.from); pixel <= c.to; pixel += 7)
            EXPECT_EQ(scale.toPixel(scale.toValue(pixel)), pixel) << c.what;
    }
    EXPECT_EQ(AxisScale({0, 500}, 30, 480).toPixel(250), 255);

    // An empty range puts every value at the low edge; an empty run reads as the minimum.
    EXPECT_EQ(AxisScale({5, 5}, 30, 480).toPixel(100), 30);
    EXPECT_EQ(AxisScale({5, 9}, 30, 30).toValue(30), 5);
    // Values no device can show stay defined.
    const AxisScale scale({0, 1}, 0, 100);
    EXPECT_GT(scale.toPixel(1e300), 1000000);
    EXPECT_LT(scale.toPixel(-std::numeric_limits<double>::infinity()), -1000000);
    EXPECT_EQ(scale.toPixel(std::nan("")), 0);
}

TEST(ScaleMarks, CountsDivisionsByPlotSize) {
    struct Case {
        int (*count)(int);
        int length, divisions;
    };
    const std::vector<Case> cases = {
        {ProfileVerticalDivisions, -5, 1},   {ProfileVerticalDivisions, 30, 1},
        {ProfileVerticalDivisions, 31, 1},   {ProfileVerticalDivisions, 450, 15},
        {ProfileHorizontalDivisions, 70, 1}, {ProfileHorizontalDivisions, 691, 9},
        {StripValueDivisions, 99, 2},        {StripValueDivisions, 100, 10},
        {StripValueDivisions, 150, 4},       {StripValueDivisions, 200, 10},
        {StripTimeDivisions, 299, 2},        {StripTimeDivisions, 300, 10},
        {StripTimeDivisions, 399, 4},        {StripTimeDivisions, 400, 10},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.count(c.length), c.divisions) << "length " << c.length;
}

TEST(ScaleMarks, FormatsLabelsAsEachScalePrintsThem) {
    struct Case {
        LabelStyle style;
        double value;
        AxisRange range;
        const char* text;
    };
    const std::vector<Case> cases = {
        {LabelStyle::ProfileVertical, 12.5, {0, 10}, "12.500"},
        {LabelStyle::ProfileVertical, -7.9, {0, 500}, "-7"},
        {LabelStyle::ProfileVertical, 1e30, {0, 1e31}, "2147483647"},
        {LabelStyle::ThreeDecimals, 17, {}, "17.000"},
        {LabelStyle::WholeNumber, 224.6, {}, "225"},
        {LabelStyle::OneDecimal, 300, {}, "300.0"},
        {LabelStyle::FourDecimals, -1.6, {}, "-1.6000"},
        {LabelStyle::SampleCount, 489, {}, "489"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatLabel(c.style, c.value, c.range), c.text);

    const std::vector<ScaleMark> marks =
        MarkScale(30, 480, {0, 500}, 4, LabelStyle::ProfileVertical);
    ASSERT_EQ(marks.size(), 5u);
    EXPECT_EQ(marks[1].pixel, 142);
    EXPECT_EQ(marks[1].text, "125");
    EXPECT_EQ(marks[4].pixel, 480);
    EXPECT_EQ(MarkScale(0, 0, {1, 1}, 0, LabelStyle::OneDecimal).size(), 2u);
}

namespace {
ValueExtent Extent(std::initializer_list<double> values) {
    ValueExtent extent;
    for (double v : values)
        extent.add(v);
    return extent;
}
} // namespace

TEST(Autozoom, FitsTheModuleAndProfileRanges) {
    struct Case {
        const char* what;
        std::optional<AxisRange> zoomed;
        double minimum, maximum;
    };
    const double nan = std::nan("");
    const std::vector<Case> cases = {
        {"module, narrow", ModuleAutozoom(Extent({-1.5, -1.1, -0.8})), -1.6, -0.7},
        {"module, wide", ModuleAutozoom(Extent({20, 10, 15})), 9.5, 20.5},
        {"profile, span of magnitudes", ProfileAutozoom(Extent({-2, 1}), 0), -2.1, 1.1},
        {"profile, 0 to 50", ProfileAutozoom(Extent({0, 50, nan}), 3), -5, 55},
        {"profile X1, all equal", ProfileAutozoom(Extent({5, 5}), 0), 4.8, 5.8},
        {"profile X2, all equal", ProfileAutozoom(Extent({5}), 1), 4.6, 5.6},
        {"profile X3, all equal", ProfileAutozoom(Extent({5}), 2), 4.4, 5.4},
        {"profile X4, all equal", ProfileAutozoom(Extent({5}), 3), 4.2, 5.2},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.zoomed) << c.what;
        EXPECT_NEAR(c.zoomed->minimum, c.minimum, 1e-9) << c.what;
        EXPECT_NEAR(c.zoomed->maximum, c.maximum, 1e-9) << c.what;
    }
    // Nothing stored or visible leaves the range alone instead of turning it inside out.
    EXPECT_FALSE(ProfileAutozoom(Extent({}), 0));
    EXPECT_FALSE(ProfileAutozoom(Extent({nan}), 1));
    EXPECT_FALSE(ModuleAutozoom(Extent({})));
    EXPECT_FALSE(ProfileAutozoom(Extent({1}), 4));
}

TEST(ProfileCoordinates, ReadsValuesUnderThePointerAndZooms) {
    const PixelRect plot{70, 30, 770, 480};
    ProfileAxes axes;
    axes.vertical = {0, 450};
    axes.horizontal = {AxisRange{0, 700}, AxisRange{-1, 6}, AxisRange{10, 3}, AxisRange{5, 5}};

    const ProfileValues middle = ProfileValuesAt(plot, axes, {420, 255});
    EXPECT_DOUBLE_EQ(middle.vertical, 225);
    EXPECT_DOUBLE_EQ(middle.horizontal[0], 350);
    EXPECT_DOUBLE_EQ(middle.horizontal[2], 6.5);
    EXPECT_DOUBLE_EQ(middle.horizontal[3], 5);
    const ProfileValues outside = ProfileValuesAt(plot, axes, {0, 1000});
    EXPECT_DOUBLE_EQ(outside.vertical, 450);
    EXPECT_DOUBLE_EQ(outside.horizontal[0], 0);

    EXPECT_EQ(ClampZoomCorner(plot, {0, 1000}), (PixelPoint{71, 478}));
    // Drawn from the lower right to the upper left, the same rectangle gives the same ranges.
    const ProfileAxes zoomed = ProfileZoom(plot, axes, {420, 255}, {140, 75});
    EXPECT_EQ(zoomed, ProfileZoom(plot, axes, {140, 75}, {420, 255}));
    EXPECT_EQ(zoomed.vertical, (AxisRange{45, 225}));
    EXPECT_EQ(zoomed.horizontal[0], (AxisRange{70, 350}));
    EXPECT_NEAR(zoomed.horizontal[2].minimum, 9.3, 1e-9) << "an axis running right to left";
    EXPECT_NEAR(zoomed.horizontal[2].maximum, 6.5, 1e-9);

    // A plot squeezed to nothing reads every axis at its minimum.
    const ProfileValues flat = ProfileValuesAt({70, 30, 70, 30}, axes, {70, 30});
    EXPECT_DOUBLE_EQ(flat.vertical, 0);
    EXPECT_DOUBLE_EQ(flat.horizontal[1], -1);
}
