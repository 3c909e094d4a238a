#include "core/graphs/AcqLayout.h"

#include <algorithm>

namespace halcyx {

namespace {

constexpr int kGraphShareNumerator = 2; // of kShareDenominator, when the listing is shown too
constexpr int kShareDenominator = 3;
constexpr int kTowedBottomMargin = 2; // between the towed column and the window's edge [px]

PixelRect rectOf(int left, int top, int width, int height) {
    return {left, top, left + std::max(width, AcqLayout::kMinSide),
            top + std::max(height, AcqLayout::kMinSide)};
}

// Shares the area between the graph and the listing, whichever are shown.
void share(AcqLayout& layout, const PixelRect& area, bool graph, bool listing) {
    if (graph && listing) {
        const int split = area.top + area.height() * kGraphShareNumerator / kShareDenominator;
        layout.graph = PixelRect{area.left, area.top, area.right, split};
        layout.listing = PixelRect{area.left, split, area.right, area.bottom};
    } else if (graph) {
        layout.graph = area;
    } else if (listing) {
        layout.listing = area;
    }
}

} // namespace

AcqLayout layoutAcqWnd(int width, int height, bool towed, bool graphVisible, bool listingVisible,
                       int enabledPressureGraphs) {
    AcqLayout layout;
    if (!towed) {
        share(layout,
              rectOf(AcqLayout::kSharedLeft, AcqLayout::kSharedTop, width - AcqLayout::kSharedLeft,
                     height - AcqLayout::kSharedHeightLess),
              graphVisible, listingVisible);
        return layout;
    }
    share(layout,
          rectOf(AcqLayout::kTowedLeft, AcqLayout::kTowedTop, AcqLayout::kTowedWidth,
                 height - AcqLayout::kTowedTop - kTowedBottomMargin),
          graphVisible, listingVisible);
    if (enabledPressureGraphs <= 0)
        return layout;
    const PixelRect area =
        rectOf(AcqLayout::kPressureLeft, 0, width - AcqLayout::kPressureLeft, height);
    const int each = area.height() / enabledPressureGraphs;
    for (int n = 0; n < enabledPressureGraphs; ++n)
        layout.pressure.push_back(
            PixelRect{area.left, area.top + n * each, area.right, area.top + (n + 1) * each});
    return layout;
}

} // namespace halcyx
