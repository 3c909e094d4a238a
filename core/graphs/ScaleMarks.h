#pragma once

#include "core/graphs/AxisScale.h"

#include <string>
#include <vector>

namespace halcyx {

// One division of a scale: its device position [device units], value and label text.
struct ScaleMark {
    int pixel = 0;
    double value = 0;
    std::string text;
};

// How the graphs print the values of their divisions.
enum class LabelStyle {
    ProfileVertical, // "%.3f" for a range up to 10 units wide, else "%d" of the whole part
    ThreeDecimals,   // "%.3f": profile horizontal scales and the coordinate readout
    WholeNumber,     // "%.0f": the coordinate readout's vertical value
    OneDecimal,      // "%0.1f": pressure scale of the towed pressure graph
    FourDecimals,    // "%0.4f": value scale of the module graph
    SampleCount,     // "%ld": x labels of the strip charts in scans
};

std::string FormatLabel(LabelStyle style, double value, AxisRange range);

// Division counts of the profile graph: one per 30 pixels of plot height and one per 70
// pixels of plot width [pixels in, count out], never fewer than one.
int ProfileVerticalDivisions(int plotHeight);
int ProfileHorizontalDivisions(int plotWidth);
// Division counts of the strip charts: value scale by plot height (2 below 100, 4 from 101
// to 199, else 10) and x labels by plot width (2 below 300, 4 from 301 to 399, else 10).
int StripValueDivisions(int plotHeight);
int StripTimeDivisions(int plotWidth);
// On paper both scales of a strip chart have this many divisions.
inline constexpr int kPageStripDivisions = 10;

// The divisions 0 to `divisions` of a scale running from device position `from` to `to`
// [device units], whose ends carry the range's minimum and maximum. Positions step in whole
// units as the screen drawing does: from + i x (to - from) / divisions.
std::vector<ScaleMark> MarkScale(int from, int to, AxisRange range, int divisions,
                                 LabelStyle style);

} // namespace halcyx
