// Where the printed graph pages put their letterhead, information, title and graph.
#include "core/graphs/PrintPage.h"

#include <gtest/gtest.h>

namespace halcyx {
namespace {

constexpr PixelRect kPortrait{0, 0, 1000, 2000};
constexpr PixelRect kLandscape{0, 0, 2000, 1000};
constexpr PageLines kLines{10, 25};
constexpr int kCastRows = 13;

TEST(PrintPage, CastGraphAloneOrWithInformation) {
    EXPECT_EQ(CastGraphPage(kPortrait, false, kCastRows, kLines).graph,
              (PixelRect{100, 200, 900, 1800}));
    EXPECT_FALSE(CastGraphPage(kPortrait, false, kCastRows, kLines).info);

    const GraphPage portrait = CastGraphPage(kPortrait, true, kCastRows, kLines);
    EXPECT_EQ(*portrait.letterhead, (PixelPoint{600, 200}));
    EXPECT_EQ(portrait.info->heading, (PixelPoint{200, 200}));
    EXPECT_EQ(portrait.info->labelRight, 280);
    EXPECT_EQ(portrait.info->valueLeft, 300);
    EXPECT_EQ(portrait.info->rowTop(0, kLines.row), 210);
    // Thirteen rows under the heading, then four line heights to the graph.
    EXPECT_EQ(portrait.graph, (PixelRect{100, 200 + 14 * 10 + 4 * 10, 900, 1800}));

    const GraphPage landscape = CastGraphPage(kLandscape, true, kCastRows, kLines);
    EXPECT_EQ(*landscape.letterhead, (PixelPoint{200, 700}));
    EXPECT_EQ(landscape.info->heading, (PixelPoint{480, 100}));
    EXPECT_EQ(landscape.info->labelRight, 460);
    EXPECT_EQ(landscape.info->valueLeft, 500);
    EXPECT_EQ(landscape.info->valueRight, 680) << "values stop before the graph starts";
    EXPECT_EQ(landscape.graph, (PixelRect{700, 100, 1800, 900}));
}

TEST(PrintPage, PressureAndModulePagesStackTitleAndGraphUnderTheRows) {
    const GraphPage pressure = PressureGraphPage(kPortrait, kCastRows, kLines);
    ASSERT_TRUE(pressure.letterhead && pressure.info && pressure.title);
    EXPECT_EQ(*pressure.title, (PixelPoint{150, 200 + 14 * 10 + 2 * 10}));
    EXPECT_EQ(pressure.graph, (PixelRect{150, 360 + 2 * 25, 850, 410 + 500}));

    EXPECT_EQ(ModuleGraphPage(kPortrait, false, 5, kLines).graph, (PixelRect{200, 200, 850, 1800}));
    const GraphPage module = ModuleGraphPage(kPortrait, true, 5, kLines);
    EXPECT_EQ(module.info->heading, (PixelPoint{180, 200}));
    EXPECT_EQ(module.info->labelRight, 200);
    EXPECT_EQ(module.info->valueLeft, 220);
    EXPECT_EQ(*module.title, (PixelPoint{150, 200 + 6 * 10 + 2 * 10}));
    EXPECT_EQ(module.graph, (PixelRect{200, 280 + 3 * 25, 850, 1800}));

    // Text too tall for a tiny page leaves an empty graph, never one upside down.
    const GraphPage tiny = ModuleGraphPage({0, 0, 100, 100}, true, 5, {30, 30});
    EXPECT_GE(tiny.graph.height(), 0);
}

} // namespace
} // namespace halcyx
