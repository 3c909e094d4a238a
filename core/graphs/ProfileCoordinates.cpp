#include "core/graphs/ProfileCoordinates.h"

#include <algorithm>

namespace halcyx {

namespace {

constexpr int kZoomInsetNear = 1; // from the left and top edges [pixels]
constexpr int kZoomInsetFar = 2;  // from the right and bottom edges [pixels]

AxisScale Vertical(const PixelRect& plot, const ProfileAxes& axes) {
    return {axes.vertical, static_cast<double>(plot.top), static_cast<double>(plot.bottom)};
}

AxisScale Horizontal(const PixelRect& plot, const ProfileAxes& axes, std::size_t k) {
    return {axes.horizontal[k], static_cast<double>(plot.left), static_cast<double>(plot.right)};
}

// std::clamp with a bound pair that may have crossed on a plot too small to hold it.
int Hold(int value, int low, int high) {
    return std::max(std::min(value, high), low);
}

} // namespace

ProfileValues ProfileValuesAt(const PixelRect& plot, const ProfileAxes& axes, PixelPoint pointer) {
    const int x = Hold(pointer.x, plot.left, plot.right);
    const int y = Hold(pointer.y, plot.top, plot.bottom);
    ProfileValues values;
    values.vertical = Vertical(plot, axes).toValue(y);
    for (std::size_t k = 0; k < values.horizontal.size(); ++k)
        values.horizontal[k] = Horizontal(plot, axes, k).toValue(x);
    return values;
}

PixelPoint ClampZoomCorner(const PixelRect& plot, PixelPoint pointer) {
    return {Hold(pointer.x, plot.left + kZoomInsetNear, plot.right - kZoomInsetFar),
            Hold(pointer.y, plot.top + kZoomInsetNear, plot.bottom - kZoomInsetFar)};
}

ProfileAxes ProfileZoom(const PixelRect& plot, const ProfileAxes& axes, PixelPoint anchor,
                        PixelPoint corner) {
    const AxisScale vertical = Vertical(plot, axes);
    const double upper = vertical.toValue(std::min(anchor.y, corner.y));
    const double lower = vertical.toValue(std::max(anchor.y, corner.y));
    ProfileAxes zoomed;
    zoomed.vertical = {std::min(upper, lower), std::max(upper, lower)};
    for (std::size_t k = 0; k < zoomed.horizontal.size(); ++k) {
        const AxisScale horizontal = Horizontal(plot, axes, k);
        zoomed.horizontal[k] = {horizontal.toValue(std::min(anchor.x, corner.x)),
                                horizontal.toValue(std::max(anchor.x, corner.x))};
    }
    return zoomed;
}

} // namespace halcyx
