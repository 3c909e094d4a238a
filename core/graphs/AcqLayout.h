#pragma once

#include "core/graphs/PlotGeometry.h"

#include <optional>
#include <vector>

namespace halcyx {

// Where the acquisition window puts its profile graph, its listing and (towed) its pressure
// graphs, in client coordinates [px]. Left of them sit the readouts and sampler controls.
struct AcqLayout {
    // Profile mode: the graph and the listing share the area right of the readouts; the
    // graph takes the upper two thirds when both are shown, either one the whole area alone.
    static constexpr int kSharedLeft = 210;
    static constexpr int kSharedTop = 1;
    static constexpr int kSharedHeightLess = 75;
    // Towed mode: the profile graph (and the listing, shared the same way) in a column at
    // the left below the readouts, the pressure graphs stacked right of it.
    static constexpr int kTowedLeft = 1;
    static constexpr int kTowedTop = 100;
    static constexpr int kTowedWidth = 300;
    static constexpr int kPressureLeft = 302;
    // No piece shrinks below this on a small window [px].
    static constexpr int kMinSide = 20;

    std::optional<PixelRect> graph;   // when the profile graph is shown
    std::optional<PixelRect> listing; // when the listing is shown
    std::vector<PixelRect> pressure;  // one per enabled pressure graph, top to bottom
};

// The layout for a client area of width x height [px].
AcqLayout layoutAcqWnd(int width, int height, bool towed, bool graphVisible, bool listingVisible,
                       int enabledPressureGraphs);

} // namespace halcyx
