// Where the acquisition window puts its profile graph, listing and pressure graphs.
#include "core/graphs/AcqLayout.h"

#include <gtest/gtest.h>

namespace halcyx {
namespace {

TEST(AcqLayout, GraphAndListingShareTheAreaRightOfTheReadouts) {
    struct Case {
        bool graph, listing;
        std::optional<PixelRect> graphRect, listingRect;
    };
    // A client of 1010 x 675: the shared area is 800 x 600 from (210, 1).
    const Case cases[] = {
        {true, false, PixelRect{210, 1, 1010, 601}, std::nullopt},
        {false, true, std::nullopt, PixelRect{210, 1, 1010, 601}},
        {true, true, PixelRect{210, 1, 1010, 401}, PixelRect{210, 401, 1010, 601}},
        {false, false, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        const AcqLayout layout = layoutAcqWnd(1010, 675, false, c.graph, c.listing, 4);
        EXPECT_EQ(layout.graph, c.graphRect) << c.graph << c.listing;
        EXPECT_EQ(layout.listing, c.listingRect) << c.graph << c.listing;
        EXPECT_TRUE(layout.pressure.empty()) << "no pressure graphs in profile mode";
    }
}

TEST(AcqLayout, TowedModeStacksTheEnabledPressureGraphsRightOfTheCastGraph) {
    const AcqLayout layout = layoutAcqWnd(1000, 800, true, true, false, 3);
    EXPECT_EQ(layout.graph, (PixelRect{1, 100, 301, 798}));
    ASSERT_EQ(layout.pressure.size(), 3u);
    EXPECT_EQ(layout.pressure[0], (PixelRect{302, 0, 1000, 266}));
    EXPECT_EQ(layout.pressure[2], (PixelRect{302, 532, 1000, 798}));
    EXPECT_TRUE(layoutAcqWnd(1000, 800, true, true, false, 0).pressure.empty());
}

TEST(AcqLayout, ATinyWindowKeepsEveryPieceVisible) {
    const AcqLayout layout = layoutAcqWnd(100, 50, false, true, false, 0);
    ASSERT_TRUE(layout.graph);
    EXPECT_EQ(layout.graph->width(), AcqLayout::kMinSide);
    EXPECT_EQ(layout.graph->height(), AcqLayout::kMinSide);
}

} // namespace
} // namespace halcyx
