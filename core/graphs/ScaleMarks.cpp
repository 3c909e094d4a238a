#include "core/graphs/ScaleMarks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace halcyx {

namespace {

constexpr int kProfileRowHeight = 30;   // plot height per vertical division [pixels]
constexpr int kProfileColumnWidth = 70; // plot width per horizontal division [pixels]
constexpr double kWholeNumberSpan = 10; // wider vertical ranges are labelled in whole numbers
constexpr int kFewRowsBelow = 100, kSomeRowsUpTo = 199;
constexpr int kFewColumnsBelow = 300, kSomeColumnsUpTo = 399;
constexpr int kFewDivisions = 2, kSomeDivisions = 4, kManyDivisions = 10;
constexpr int kLabelChars = 48; // a scale label longer than this could not be shown anyway
constexpr double kIntBound = 2147483647.0;

// The thresholds are kept as the strip charts have always had them: exactly 100 (or 300)
// pixels counts with the large sizes.
int StripDivisions(int length, int fewBelow, int someUpTo) {
    if (length < fewBelow)
        return kFewDivisions;
    if (length > fewBelow && length <= someUpTo)
        return kSomeDivisions;
    return kManyDivisions;
}

template <typename T> std::string Printed(const char* format, T value) {
    std::array<char, kLabelChars> text{};
    std::snprintf(text.data(), text.size(), format, value);
    return text.data();
}

} // namespace

std::string FormatLabel(LabelStyle style, double value, AxisRange range) {
    switch (style) {
    case LabelStyle::ProfileVertical:
        if (range.span() <= kWholeNumberSpan)
            return Printed("%.3f", value);
        // The whole part, held inside int so that the conversion is defined.
        return Printed(
            "%d", static_cast<int>(std::isnan(value)
                                       ? 0.0
                                       : std::clamp(std::trunc(value), -kIntBound, kIntBound)));
    case LabelStyle::ThreeDecimals:
        return Printed("%.3f", value);
    case LabelStyle::WholeNumber:
        return Printed("%.0f", value);
    case LabelStyle::OneDecimal:
        return Printed("%0.1f", value);
    case LabelStyle::FourDecimals:
        return Printed("%0.4f", value);
    case LabelStyle::SampleCount:
        return Printed("%ld", static_cast<long>(value));
    }
    return {};
}

int ProfileVerticalDivisions(int plotHeight) {
    return plotHeight < kProfileRowHeight + 1 ? 1 : plotHeight / kProfileRowHeight;
}

int ProfileHorizontalDivisions(int plotWidth) {
    return plotWidth < kProfileColumnWidth + 1 ? 1 : plotWidth / kProfileColumnWidth;
}

int StripValueDivisions(int plotHeight) {
    return StripDivisions(plotHeight, kFewRowsBelow, kSomeRowsUpTo);
}

int StripTimeDivisions(int plotWidth) {
    return StripDivisions(plotWidth, kFewColumnsBelow, kSomeColumnsUpTo);
}

std::vector<ScaleMark> MarkScale(int from, int to, AxisRange range, int divisions,
                                 LabelStyle style) {
    const int n = std::max(divisions, 1);
    std::vector<ScaleMark> marks;
    marks.reserve(static_cast<std::size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double value = range.minimum + i * range.span() / n;
        marks.push_back({from + i * (to - from) / n, value, FormatLabel(style, value, range)});
    }
    return marks;
}

} // namespace halcyx
