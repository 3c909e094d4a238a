// The profile graph without a window: points and the vertical extension, the buffer's rules
// past its capacity, curve rebuilds, zoom to fit, the zoom rectangle, curve labels and the
// settings file.
#include "core/graphs/ProfileGraph.h"

#include "core/graphs/ProfileSettings.h"
#include "core/graphs/RubberBand.h"
#include "core/settings/Profile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace halcyx {
namespace {

// A client area whose plot runs 70..470 across and 30..310 down with four scale rows, so
// that a range of 0..400 across and 0..280 down puts value v at pixel offset v.
constexpr PixelRect kClient{0, 0, 509, 430};
constexpr PixelRect kPlot{70, 30, 470, 310};

ProfileGraph graphOnScreen() {
    ProfileGraph graph;
    graph.setAxisChannel(ProfileGraph::kVerticalAxis, 5);
    for (int k = 0; k < kHorizontalAxes; ++k) {
        graph.setAxisChannel(k, k + 1);
        graph.setHorizontalRange(k, {0, 400});
    }
    graph.setVerticalRange({0, 280});
    graph.setClient(kClient);
    graph.markDrawn();
    return graph;
}

TEST(ProfileGraph, ExtendsTheVerticalRangeByItsStepWhenAPointNearsTheBottom) {
    struct Case {
        const char* name;
        int step;
        float depth;
        double maximum;
        bool extended;
    };
    const Case cases[] = {
        {"well above the bottom", ProfileGraph::kVexaExtension, 200, 280, false},
        {"two pixels above", ProfileGraph::kVexaExtension, 278, 280, false},
        {"within two pixels, Vexa", ProfileGraph::kVexaExtension, 279, 380, true},
        {"within two pixels, Tavrin", ProfileGraph::kTavrinExtension, 279, 330, true},
        {"far past, one step only", ProfileGraph::kTavrinExtension, 1000, 330, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileGraph graph = graphOnScreen();
        graph.setExtensionStep(c.step);
        const auto first = graph.addPoint(10, {100, 200, 300, 400});
        ASSERT_TRUE(first);
        EXPECT_EQ((*first)[0].from, (*first)[0].to) << "a cast's first point has no piece";
        const auto steps = graph.addPoint(c.depth, {110, 200, 300, 400});
        EXPECT_EQ(graph.vertical().range.maximum, c.maximum);
        EXPECT_EQ(graph.redrawPending(), c.extended);
        EXPECT_EQ(steps.has_value(), !c.extended) << "an extension redraws everything";
        if (steps) {
            EXPECT_EQ((*steps)[0].from, (PixelPoint{170, 40}));
            EXPECT_EQ((*steps)[0].to, (PixelPoint{180, 30 + static_cast<int>(c.depth)}));
        }
        EXPECT_EQ(graph.count(), 2);
    }
}

TEST(ProfileGraph, RebuildsCurvesInsideThePlotWithoutRepeatedPixels) {
    ProfileGraph graph = graphOnScreen();
    graph.setHorizontalRange(1, {5, 5}); // an empty range puts every value at the low edge
    graph.addPoint(10, {100, 7, 0, 0});
    graph.addPoint(10.2f, {100.3f, 9, 0, 0}); // the same pixel as the point before
    graph.addPoint(-50, {1000, 11, 0, 0});    // off the plot, above and to the right
    graph.rebuildCurves();

    EXPECT_EQ(graph.curve(0), (std::vector<PixelPoint>{{170, 40}, {469, 31}}));
    EXPECT_EQ(graph.curve(1), (std::vector<PixelPoint>{{71, 40}, {71, 31}}));
    EXPECT_EQ(graph.curvesIn(kPlot)[0], graph.curve(0));
    EXPECT_EQ(graph.curvesIn({0, 0, 41, 29})[0], (std::vector<PixelPoint>{{10, 1}, {40, 1}}));
}

TEST(ProfileGraph, KeepsTheLastPlacesOfTheBufferOnceItIsFull) {
    ProfileBuffer buffer;
    ASSERT_TRUE(buffer.allocated());
    for (int i = 0; i < ProfileBuffer::kCapacity - 1; ++i)
        buffer.advance();
    ASSERT_EQ(buffer.count(), ProfileBuffer::kCapacity - 1) << "all but the last place readable";

    struct Case {
        long index;
        int landsAt; // -1: not written
    };
    const Case cases[] = {{7, 7},
                          {ProfileBuffer::kCapacity - 2, ProfileBuffer::kCapacity - 2},
                          {ProfileBuffer::kCapacity, 299990},
                          {ProfileBuffer::kCapacity + 8, 299998},
                          {ProfileBuffer::kCapacity + 10, -1},
                          {-1, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        buffer.store(2, c.index, 42.0f);
        const auto values = buffer.stored(2);
        EXPECT_EQ(std::count(values.begin(), values.end(), 42.0f), c.landsAt < 0 ? 0 : 1);
        if (c.landsAt >= 0) {
            EXPECT_EQ(values[static_cast<std::size_t>(c.landsAt)], 42.0f);
        }
        buffer.store(2, c.landsAt, 0.0f);
    }
    buffer.store(ProfileBuffer::kChannels, 0, 1.0f); // no such channel: ignored
    EXPECT_TRUE(buffer.stored(ProfileBuffer::kChannels).empty());

    for (int i = 0; i < 6; ++i)
        buffer.advance(); // the count would reach the capacity: it steps back ten places
    EXPECT_EQ(buffer.count(), ProfileBuffer::kCapacity - ProfileBuffer::kOverwritten + 5);
}

TEST(ProfileGraph, ZoomsEachAxisToItsStoredValuesAndKeepsAnEmptyOne) {
    ProfileGraph graph = graphOnScreen();
    graph.zoomToFit();
    EXPECT_EQ(graph.horizontal(0).range, (AxisRange{0, 400})) << "nothing stored yet";

    graph.addPoint(1, {-2, 3, 3, 0});
    graph.addPoint(2, {1, 3, 3, 0});
    graph.zoomToFit();
    EXPECT_DOUBLE_EQ(graph.horizontal(0).range.minimum, -2.1);
    EXPECT_DOUBLE_EQ(graph.horizontal(0).range.maximum, 1.1);
    EXPECT_DOUBLE_EQ(graph.horizontal(1).range.minimum, 2.6) << "equal values, X2 split";
    EXPECT_TRUE(graph.redrawPending());

    graph.clear();
    EXPECT_EQ(graph.count(), 0);
    EXPECT_TRUE(graph.curve(0).empty());
    EXPECT_DOUBLE_EQ(graph.horizontal(0).range.minimum, -2.1) << "a clear keeps the ranges";
}

TEST(RubberBand, ZoomsOnlyToARectangleDrawnInsideThePlot) {
    const ProfileAxes axes{{0, 280}, {{{0, 400}, {0, 40}, {0, 4}, {0, 400}}}};
    RubberBand band;
    band.press(kPlot, {60, 100});
    EXPECT_FALSE(band.active()) << "a press outside the plot starts nothing";
    band.press(kPlot, {70, 100});
    EXPECT_FALSE(band.active()) << "nor one on its edge";

    band.press(kPlot, {270, 130});
    band.move(kPlot, {170, 80});
    band.press(kPlot, {180, 90});
    EXPECT_FALSE(band.active()) << "a second press cancels";
    EXPECT_FALSE(band.release(kPlot, axes));

    band.press(kPlot, {270, 130});
    EXPECT_FALSE(band.release(kPlot, axes)) << "a click without a drag keeps the ranges";

    band.press(kPlot, {270, 130});
    band.move(kPlot, {1000, 0}); // held inside: 468, 31
    const auto zoomed = band.release(kPlot, axes);
    ASSERT_TRUE(zoomed);
    EXPECT_EQ(zoomed->vertical, (AxisRange{1, 100}));
    EXPECT_EQ(zoomed->horizontal[0], (AxisRange{200, 398}));
    EXPECT_FALSE(band.active());
}

TEST(CurveLabels, PlacesPicksAndDragsTheShownLabels) {
    CurveLabels labels;
    labels.setText(1, std::string(40, 'x'));
    EXPECT_EQ(labels[1].text.size(), CurveLabels::kMaxChars);
    EXPECT_TRUE(labels.placing());
    EXPECT_TRUE(labels.press({100, 200}));
    EXPECT_EQ(labels[1].box, (PixelRect{100, 200, 150, 220}));
    labels.setText(2, "over it");
    labels.press({100, 210});

    struct Case {
        PixelPoint at;
        std::optional<int> label;
    };
    const Case cases[] = {
        {{100, 200}, 1},           {{150, 219}, 1}, {{150, 220}, 2}, {{151, 205}, std::nullopt},
        {{99, 205}, std::nullopt}, {{120, 215}, 1}, {{120, 229}, 2}, {{120, 230}, std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(labels.labelAt(c.at), c.label) << c.at.x << "," << c.at.y;

    labels.show(1, false);
    EXPECT_EQ(labels.labelAt({120, 215}), 2) << "a hidden label is passed over";
    EXPECT_FALSE(labels.press({120, 215}));
    ASSERT_TRUE(labels.dragging());
    EXPECT_TRUE(labels.release({10, 20}));
    EXPECT_EQ(labels[2].box, (PixelRect{10, 20, 60, 40}));
    EXPECT_FALSE(labels.release({30, 30})) << "nothing is being dragged any more";
}

TEST(ProfileSettings, RoundTripThroughTheSettingsFile) {
    test::TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    const ProfileGraphSettings defaults = readProfileGraphSettings(profile, 20);
    EXPECT_EQ(defaults.title, "CTD Data");
    EXPECT_EQ(defaults.vertical.param, 3);
    EXPECT_EQ(defaults.horizontal[3].label, "Fast Temp");
    EXPECT_EQ(defaults.updateRate, "100");
    EXPECT_EQ(readProfileGraphSettings(profile, 2).vertical.param, 2) << "held to the list";

    ProfileGraphSettings s = defaults;
    s.title = "Station 12";
    s.vertical = {"Pressure", "10", "250.500", 1, true};
    s.horizontal[2] = {"Salinity", "30.000", "36.000", 7, false};
    s.autoZoom = true;
    s.updateRate = "25";
    s.grid = true;
    writeProfileGraphSettings(profile, s);
    const ProfileGraphSettings back = readProfileGraphSettings(profile, 20);
    EXPECT_EQ(back.title, s.title);
    EXPECT_EQ(back.vertical.minimum, "10");
    EXPECT_EQ(back.vertical.maximum, "250.500");
    EXPECT_EQ(back.vertical.param, 1);
    EXPECT_EQ(back.horizontal[2].label, "Salinity");
    EXPECT_EQ(back.horizontal[2].param, 7);
    EXPECT_FALSE(back.horizontal[2].enabled);
    EXPECT_TRUE(back.autoZoom && back.grid);
    EXPECT_EQ(updateRateOf(back.updateRate), 25);
    EXPECT_EQ(updateRateOf("3"), kMinUpdateRate);

    ProfileGraph graph;
    applyProfileGraphSettings(graph, back, [](int position) { return position + 10; });
    EXPECT_EQ(graph.title(), "Station 12");
    EXPECT_EQ(graph.vertical().range, (AxisRange{10, 250.5}));
    EXPECT_EQ(graph.vertical().channel, 11);
    EXPECT_EQ(graph.horizontal(2).channel, 17);
    EXPECT_EQ(graph.enabledAxes(), 3);
    EXPECT_TRUE(graph.grid());
}

} // namespace
} // namespace halcyx
