#include "core/graphs/AxisScale.h"

#include <algorithm>
#include <cmath>

namespace halcyx {

namespace {
// Far beyond any page, well inside int [device units].
constexpr double kPositionBound = 1.0e7;
} // namespace

double AxisScale::fraction(double value) const {
    const double span = range_.span();
    return span == 0 ? 0.0 : (value - range_.minimum) / span;
}

int AxisScale::pixelAt(double fraction) const {
    const double position = from_ + fraction * (to_ - from_);
    if (std::isnan(position))
        return static_cast<int>(std::lround(from_));
    return static_cast<int>(std::lround(std::clamp(position, -kPositionBound, kPositionBound)));
}

double AxisScale::toValue(double position) const {
    const double run = to_ - from_;
    return run == 0 ? range_.minimum : range_.minimum + range_.span() * (position - from_) / run;
}

} // namespace halcyx
