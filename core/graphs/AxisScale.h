#pragma once

namespace halcyx {

// The values at the two ends of an axis [the unit of the plotted parameter]; the minimum
// is not required to be the smaller one.
struct AxisRange {
    double minimum = 0;
    double maximum = 0;
    double span() const { return maximum - minimum; }
    friend bool operator==(const AxisRange&, const AxisRange&) = default;
};

// Maps an axis range onto a run of device positions: the minimum lands on `from`, the
// maximum on `to` [device units]. A vertical axis with from = top grows downwards, as depth
// and pressure do. An empty range maps every value to `from`, and an empty run maps every
// position to the minimum, so neither divides by zero.
class AxisScale {
public:
    AxisScale(AxisRange range, double from, double to) : range_(range), from_(from), to_(to) {}

    // Where the value lies along the range: 0 at the minimum, 1 at the maximum.
    double fraction(double value) const;
    // The device position of a fraction, rounded to the nearest unit; values far off the
    // device (or not numbers) are held to a bound so the conversion stays defined.
    int pixelAt(double fraction) const;
    int toPixel(double value) const { return pixelAt(fraction(value)); }
    // The value under a device position (the inverse of toPixel, before rounding).
    double toValue(double position) const;

private:
    AxisRange range_;
    double from_;
    double to_;
};

} // namespace halcyx
