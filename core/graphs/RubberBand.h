#pragma once

#include "core/graphs/ProfileCoordinates.h"

#include <optional>

namespace halcyx {

// The zoom rectangle the operator drags over the profile plot with the left mouse button.
// A press inside the plot anchors it, moves carry its far corner (held inside the plot),
// and the release turns it into the ranges it covers. A second press cancels it.
class RubberBand {
public:
    bool active() const { return active_; }
    PixelPoint anchor() const { return anchor_; }
    PixelPoint corner() const { return corner_; }

    // Left button down: starts a rectangle strictly inside the plot, or cancels the one
    // being drawn.
    void press(const PixelRect& plot, PixelPoint point);
    void move(const PixelRect& plot, PixelPoint point);
    // Left button up: the ranges under the rectangle. A rectangle without width or height
    // (a click without a drag) selects nothing and leaves the ranges alone.
    std::optional<ProfileAxes> release(const PixelRect& plot, const ProfileAxes& axes);

private:
    bool active_ = false;
    PixelPoint anchor_;
    PixelPoint corner_;
};

} // namespace halcyx
