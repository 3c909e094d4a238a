#pragma once

#include "core/graphs/ScaleMarks.h"

#include <vector>

namespace halcyx {

// What the x labels of a strip chart count.
enum class StripUnits { Scans = 0, Seconds = 1, Distance = 2 };

// The samples a strip chart shows: `skip` newest samples are passed over, then `count`
// samples are drawn, newest first.
struct VisibleRun {
    int skip = 0;
    int count = 0;
};

// The scroll state of a strip chart (towed pressure graph, module graph): how many samples
// fit across the plot, how far the view is scrolled back from the newest sample, and how many
// samples came in since the last reset. The scroll bar runs from 0 to kScrollLimit - view
// width, live at its right end.
class StripView {
public:
    static constexpr int kNarrow = 512, kNormal = 1024, kWide = 2048; // view widths [samples]
    static constexpr int kScrollLimit = 32767;
    static constexpr int kHistory = 131071;              // samples each history ring holds
    static constexpr int kLineStep = 1, kPageStep = 100; // [samples]

    enum class Scroll { LineLeft, LineRight, PageLeft, PageRight, ToPosition };

    // The view width a stored setting names: 0 narrow, 1 normal, anything else wide.
    static int WidthFromSetting(int setting);

    int viewWidth() const { return viewWidth_; }
    // Sets the width and keeps the offset inside what the new width allows.
    void setViewWidth(int samples);
    // Samples skipped from the newest, 0 when live.
    int offset() const { return offset_; }
    // Counts from 1 at reset, one more for every sample added.
    long samplesAdded() const { return samplesAdded_; }
    int scrollMaximum() const { return kScrollLimit - viewWidth_; }
    // The scroll bar position that shows the current offset.
    int scrollPosition() const { return scrollMaximum() - offset_; }

    void reset();
    void countSample() { ++samplesAdded_; }
    // Moves the view: the steps count back from the newest sample; ToPosition takes the
    // scroll bar's thumb position. The offset stays within 0 .. kHistory - view width.
    void scroll(Scroll action, int thumbPosition = 0);
    // Keeps the offset where a full view still ends at the oldest sample the history holds
    // (0 while the view is filling), so that the view position and the x labels name the
    // samples drawn.
    void keepWithinHeld();

    // The run to draw from a history holding `stored` samples (the ring's count). Scrolled
    // back with a full view, the skip never reaches past the oldest sample still held.
    VisibleRun visible(int stored) const;

    // The x labels 0 to `divisions` across a plot from `left` to `right` [device units]:
    // sample counts while the view is filling, then the sample numbers at the divisions;
    // seconds divide them by `scanRate` [scans per second] (one per second when the rate
    // is not a positive number).
    std::vector<ScaleMark> timeMarks(int left, int right, int divisions, StripUnits units,
                                     double scanRate) const;

private:
    long held() const;

    int viewWidth_ = kNarrow;
    int offset_ = 0;
    long samplesAdded_ = 1;
};

// The x position of sample i (0 = newest, at the right edge) of `visible` samples spread
// across a plot `plotWidth` wide [device units, from the plot's left edge].
int StripSampleX(int plotWidth, int i, int visible);

// The colour class of a towed pressure sample: 0 below the low threshold, 7 above the high
// one, and 1 to 7 in steps of a sixth of the threshold span between them.
int StripColourClass(double value, double lowThreshold, double highThreshold);
inline constexpr int kStripColourClasses = 8;

// The samples (0 = newest) of `visible` that carry a navigation position label: the newest
// and those three, two and one quarters of the way back from the oldest.
std::vector<int> StripPositionLabelSamples(int visible);

// A navigation position as written along a strip: "%.3f %c %.3f %c".
std::string PositionLabel(double latitude, char latitudeHemisphere, double longitude,
                          char longitudeHemisphere);

} // namespace halcyx
