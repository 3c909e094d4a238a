#pragma once

#include "core/graphs/AxisScale.h"

#include <optional>

namespace halcyx {

// The smallest and largest of the values a graph holds, gathered one value at a time from
// its buffer or history. Values that are not finite numbers are passed over.
class ValueExtent {
public:
    void add(double value);
    bool empty() const { return !seen_; }
    double smallest() const { return smallest_; }
    double largest() const { return largest_; }

private:
    bool seen_ = false;
    double smallest_ = 0;
    double largest_ = 0;
};

// Zoom to fit of profile axis X1 to X4 (`axis` 0 to 3): a tenth of the span
// | |largest| - |smallest| | is added on each side, and a range still under one unit wide is
// widened by one unit, split differently per axis so that equal curves do not hide each
// other. No range when there is nothing to fit (or the axis is not 0 to 3).
std::optional<AxisRange> ProfileAutozoom(const ValueExtent& values, int axis);

// Zoom to fit of the module graph over its visible samples: half a unit on each side when
// |largest| - |smallest| is one unit or more, else a tenth. No range when nothing is visible.
std::optional<AxisRange> ModuleAutozoom(const ValueExtent& values);

} // namespace halcyx
