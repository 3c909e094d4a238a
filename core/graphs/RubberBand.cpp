#include "core/graphs/RubberBand.h"

namespace halcyx {

void RubberBand::press(const PixelRect& plot, PixelPoint point) {
    if (active_) {
        active_ = false;
        return;
    }
    if (!plot.containsStrictly(point))
        return;
    active_ = true;
    anchor_ = corner_ = point;
}

void RubberBand::move(const PixelRect& plot, PixelPoint point) {
    if (active_)
        corner_ = ClampZoomCorner(plot, point);
}

std::optional<ProfileAxes> RubberBand::release(const PixelRect& plot, const ProfileAxes& axes) {
    if (!active_)
        return std::nullopt;
    active_ = false;
    if (anchor_.x == corner_.x || anchor_.y == corner_.y)
        return std::nullopt;
    return ProfileZoom(plot, axes, anchor_, corner_);
}

} // namespace halcyx
