#include "core/graphs/Autozoom.h"

#include <array>
#include <cmath>

namespace halcyx {

namespace {

constexpr double kProfileMargin = 0.1; // of the span, on each side
// The one unit added to a narrow profile range: below the minimum, then above the maximum.
constexpr std::array<std::array<double, 2>, 4> kProfileWidening = {
    {{0.2, 0.8}, {0.4, 0.6}, {0.6, 0.4}, {0.8, 0.2}}};
constexpr double kModuleWideSpan = 1.0;
constexpr double kModuleWideMargin = 0.5, kModuleNarrowMargin = 0.1;

} // namespace

void ValueExtent::add(double value) {
    if (!std::isfinite(value))
        return;
    if (!seen_ || value < smallest_)
        smallest_ = value;
    if (!seen_ || value > largest_)
        largest_ = value;
    seen_ = true;
}

std::optional<AxisRange> ProfileAutozoom(const ValueExtent& values, int axis) {
    if (values.empty() || axis < 0 || axis >= static_cast<int>(kProfileWidening.size()))
        return std::nullopt;
    const double span = std::fabs(std::fabs(values.largest()) - std::fabs(values.smallest()));
    AxisRange range{values.smallest() - kProfileMargin * span,
                    values.largest() + kProfileMargin * span};
    if (std::trunc(range.minimum - range.maximum) == 0) {
        range.minimum -= kProfileWidening[static_cast<std::size_t>(axis)][0];
        range.maximum += kProfileWidening[static_cast<std::size_t>(axis)][1];
    }
    return range;
}

std::optional<AxisRange> ModuleAutozoom(const ValueExtent& values) {
    if (values.empty())
        return std::nullopt;
    const double margin =
        std::fabs(values.largest()) - std::fabs(values.smallest()) >= kModuleWideSpan
            ? kModuleWideMargin
            : kModuleNarrowMargin;
    return AxisRange{values.smallest() - margin, values.largest() + margin};
}

} // namespace halcyx
