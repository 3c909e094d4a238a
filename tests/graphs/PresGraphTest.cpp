// The towed pressure graph: how far its history scrolls, where its samples and positions
// land, and its PGRAPH settings.
#include "core/graphs/PresGraph.h"

#include "core/graphs/PresGraphSettings.h"
#include "core/settings/Profile.h"
#include "tests/support/TempFolder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace halcyx;

namespace {

using Scroll = StripView::Scroll;

void PageLeft(PresGraph& graph, int times) {
    for (int i = 0; i < times; ++i)
        graph.scroll(Scroll::PageLeft);
}

} // namespace

TEST(PresGraph, ScrollsOnlyAsFarAsTheHistoryHolds) {
    PresGraph graph(1);
    graph.setPressureRange(0, 600);
    for (int i = 0; i < 5000; ++i) // an earlier cast, still in the rings' memory
        graph.addSample(600, 0);
    graph.reset();
    for (int i = 1; i <= 599; ++i) // pressure = sample number
        graph.addSample(static_cast<float>(i), 0);
    PageLeft(graph, 10);
    EXPECT_EQ(graph.view().offset(), 599 - 512) << "stops where the oldest sample is drawn";
    EXPECT_EQ(graph.viewPosition(), 512 + 1);
    const std::vector<StripCross> crosses = graph.crosses({0, 0, 512, 300});
    ASSERT_EQ(crosses.size(), 512u);
    EXPECT_EQ(crosses.front().y, 512 / 2) << "newest drawn: sample 512";
    EXPECT_EQ(crosses.back().y, 0) << "oldest drawn: sample 1, nothing of the earlier cast";

    PresGraph filling(2);
    for (int i = 0; i < 100; ++i)
        filling.addSample(1, 0);
    PageLeft(filling, 1);
    EXPECT_EQ(filling.viewPosition(), 101) << "a view still filling stays live";

    PresGraph full(3);
    for (int i = 0; i < 3000; ++i)
        full.addSample(1, 0);
    PageLeft(full, 10);
    full.setViewWidth(StripView::kWide);
    EXPECT_EQ(full.view().offset(), 3000 - StripView::kWide) << "a wider view holds back";
}

TEST(PresGraph, PlacesSamplesAndPositionsInThePlot) {
    PresGraph graph(1);
    const PixelRect plot{60, 5, 660, 305};
    for (const float pressure : {150.0f, 400.0f, -1.0f, std::nanf("")})
        graph.addSample(pressure, 300);
    std::vector<StripCross> crosses = graph.crosses(plot);
    ASSERT_EQ(crosses.size(), 2u) << "above the low limit or no number: not drawn";
    EXPECT_EQ(crosses[0].x, 60 + 600 - 2 * 150) << "spread over the width while filling";
    EXPECT_EQ(crosses[0].y, 305) << "beyond the high limit: on the bottom edge";
    EXPECT_EQ(crosses[1].x, 60 + 600 - 3 * 150);
    EXPECT_EQ(crosses[1].y, 155);
    EXPECT_EQ(crosses[1].colourClass, 7);
    graph.setPressureRange(10, 10);
    EXPECT_EQ(graph.crosses(plot)[0].y, 5) << "an empty range puts everything at the top";

    PresGraph tracked(2);
    tracked.addSample(1, 0); // came before any position
    for (int i = 1; i <= 3; ++i) {
        tracked.addSample(1, 0);
        tracked.addPosition(4800 + i, 'N', 12300 + i, 'W');
    }
    std::vector<std::string> texts;
    for (const StripPositionMark& mark : tracked.positionMarks({0, 0, 400, 100}))
        texts.push_back(std::to_string(mark.x) + " " + mark.text);
    // Samples 0, 3, 2 and 1 (newest first) carry labels; sample 3 has no position.
    EXPECT_EQ(texts,
              (std::vector<std::string>{"400 4803.000 N 12303.000 W", "200 4801.000 N 12301.000 W",
                                        "300 4802.000 N 12302.000 W"}));
}

TEST(PresGraphSettings, ReadsDefaultsAndWhatWasStored) {
    test::TempFolder folder;
    Profile profile(folder / "Halcyx.ini");
    const PresGraphSettings defaults = readPresGraphSettings(profile, 1);
    EXPECT_EQ(defaults, (PresGraphSettings{"0.0", "300.0", "0.0", "300.0"}));

    const PresGraphSettings stored{"5.5", "250", "10", "35.25", true, true, 1, 7, 4};
    writePresGraphSettings(profile, 3, stored);
    EXPECT_EQ(readPresGraphSettings(profile, 3), stored);
    EXPECT_EQ(readPresGraphSettings(profile, 2), defaults);

    PresGraph graph(3);
    applyPresGraphSettings(stored, graph);
    EXPECT_EQ(graph.lowPressure(), 5.5);
    EXPECT_EQ(graph.highPressure(), 250);
    EXPECT_EQ(graph.lowThreshold(), 10);
    EXPECT_EQ(graph.highThreshold(), 35.25);
    EXPECT_TRUE(graph.grid());
    EXPECT_EQ(graph.view().viewWidth(), StripView::kNormal);
    EXPECT_EQ(graph.units(), StripUnits::Scans) << "an unknown code counts scans";
}
