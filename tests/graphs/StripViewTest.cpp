// Scrolling, visible samples, x labels, sample placement and colour classes of the strip charts.
#include "core/graphs/StripView.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace halcyx;

namespace {
StripView Fed(long samples) {
    StripView view;
    for (long i = 0; i < samples; ++i)
        view.countSample();
    return view;
}
} // namespace

TEST(StripView, ScrollsBackWithinTheHistory) {
    StripView view = Fed(5000);
    for (int i = 0; i < 10; ++i)
        view.scroll(StripView::Scroll::PageLeft);
    EXPECT_EQ(view.offset(), 1000);
    EXPECT_EQ(view.samplesAdded() - view.offset(), 4001);
    view.scroll(StripView::Scroll::LineRight);
    EXPECT_EQ(view.offset(), 999);
    view.scroll(StripView::Scroll::ToPosition, view.scrollMaximum());
    EXPECT_EQ(view.offset(), 0);
    view.scroll(StripView::Scroll::PageRight);
    EXPECT_EQ(view.offset(), 0);
    view.scroll(StripView::Scroll::ToPosition, -200000);
    EXPECT_EQ(view.offset(), StripView::kHistory - StripView::kNarrow);
    view.setViewWidth(StripView::WidthFromSetting(7));
    EXPECT_EQ(view.viewWidth(), 2048);
    EXPECT_EQ(view.offset(), StripView::kHistory - 2048);
    view.reset();
    EXPECT_EQ(view.offset(), 0);
    EXPECT_EQ(view.samplesAdded(), 1);
}

TEST(StripView, ShowsOnlySamplesTheHistoryHolds) {
    StripView filling = Fed(99);
    filling.scroll(StripView::Scroll::PageLeft);
    EXPECT_EQ(filling.visible(99).count, 99);
    EXPECT_EQ(filling.visible(99).skip, 0) << "a view still filling does not scroll";

    StripView full = Fed(40000);
    full.scroll(StripView::Scroll::PageLeft);
    EXPECT_EQ(full.visible(30000).skip, 100);
    EXPECT_EQ(full.visible(30000).count, 512);

    // Scrolled past the oldest sample, the view stops at it instead of showing empty slots.
    StripView young = Fed(599);
    for (int i = 0; i < 10; ++i)
        young.scroll(StripView::Scroll::PageLeft);
    EXPECT_EQ(young.visible(599).skip, 599 - 512);
}

TEST(StripView, LabelsTheTimeAxis) {
    auto texts = [](const StripView& view, int divisions, StripUnits units, double rate) {
        std::vector<std::string> out;
        for (const ScaleMark& mark : view.timeMarks(60, 660, divisions, units, rate))
            out.push_back(mark.text);
        return out;
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(texts(Fed(100), 2, StripUnits::Scans, 4.5), (Texts{"0", "50", "100"}));
    EXPECT_EQ(texts(Fed(1000), 2, StripUnits::Scans, 4.5), (Texts{"489", "745", "1001"}));
    EXPECT_EQ(texts(Fed(1000), 2, StripUnits::Seconds, 4.5), (Texts{"108.7", "165.6", "222.4"}));
    EXPECT_EQ(texts(Fed(1000), 2, StripUnits::Seconds, 0), (Texts{"489.0", "745.0", "1001.0"}));
    EXPECT_EQ(Fed(1000).timeMarks(60, 660, 4, StripUnits::Scans, 1)[1].pixel, 210);
}

TEST(StripView, PlacesAndColoursSamples) {
    EXPECT_EQ(StripSampleX(600, 0, 3), 600);
    EXPECT_EQ(StripSampleX(600, 2, 3), 200);
    EXPECT_EQ(StripSampleX(600, 100, 2048), 571) << "many samples still spread, not stacked";
    EXPECT_EQ(StripSampleX(600, 0, 0), 600);

    struct Case {
        double value, low, high;
        int colourClass;
    };
    const std::vector<Case> cases = {
        {-1, 0, 300, 0},  {0, 0, 300, 1},
        {150, 0, 300, 4}, {299.9, 0, 300, 6},
        {300, 0, 300, 7}, {301, 0, 300, 7},
        {5, 5, 5, 0},     {6, 5, 5, 7},
        {4, 5, 5, 0},     {std::nan(""), 0, 300, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripColourClass(c.value, c.low, c.high), c.colourClass) << c.value;

    using Samples = std::vector<int>;
    EXPECT_EQ(StripPositionLabelSamples(0), Samples{});
    EXPECT_EQ(StripPositionLabelSamples(1), Samples{0});
    EXPECT_EQ(StripPositionLabelSamples(8), (Samples{0, 6, 4, 2}));
    EXPECT_EQ(PositionLabel(4807.123, 'N', 12301.5, 'W'), "4807.123 N 12301.500 W");
}
