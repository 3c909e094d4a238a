#pragma once

#include "core/graphs/AxisScale.h"
#include "core/graphs/PlotGeometry.h"

#include <array>

namespace halcyx {

// The ranges of the profile graph's axes: the vertical axis (depth or pressure, its minimum
// at the top of the plot) and the horizontal axes X1 to X4 (minimum at the left).
struct ProfileAxes {
    AxisRange vertical;
    std::array<AxisRange, kHorizontalAxes> horizontal;
    friend bool operator==(const ProfileAxes&, const ProfileAxes&) = default;
};

// The values of every axis under one point of the plot.
struct ProfileValues {
    double vertical = 0;
    std::array<double, kHorizontalAxes> horizontal{};
};

// The values under a pointer, which is first held inside the plot.
ProfileValues ProfileValuesAt(const PixelRect& plot, const ProfileAxes& axes, PixelPoint pointer);

// Holds the moving corner of a zoom rectangle one pixel inside the plot's left and top edges
// and two inside its right and bottom edges.
PixelPoint ClampZoomCorner(const PixelRect& plot, PixelPoint pointer);

// The ranges a zoom rectangle from `anchor` to `corner` selects, whichever way it was drawn:
// the vertical range runs from the smaller to the larger value at its upper and lower edges,
// each horizontal range from its value at the left edge to its value at the right edge.
ProfileAxes ProfileZoom(const PixelRect& plot, const ProfileAxes& axes, PixelPoint anchor,
                        PixelPoint corner);

} // namespace halcyx
