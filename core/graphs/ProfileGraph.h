#pragma once

#include "core/graphs/CurveLabels.h"
#include "core/graphs/ProfileBuffer.h"
#include "core/graphs/ProfileCoordinates.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

// One axis of the profile graph: its caption, the values at its two ends [unit of the
// parameter], whether its curve and scale row are drawn (the vertical axis is always drawn)
// and the buffer channel (ScanRecord index) it plots.
struct ProfileAxis {
    std::string label;
    AxisRange range;
    bool enabled = true;
    int channel = 0;
};

// A piece of curve from the previous point of a cast to the new one [pixels].
struct CurveStep {
    PixelPoint from;
    PixelPoint to;
};
using CurveSteps = std::array<CurveStep, kHorizontalAxes>;

// The live plot of a cast without its window: depth or pressure downwards against up to four
// horizontal axes. It keeps every scan in its buffer and the four curves as device points of
// its screen layout; whatever changes what the curves show asks for a full drawing, which
// rebuilds the curves from the buffer.
class ProfileGraph {
public:
    static constexpr std::size_t kMaxTextChars = 49;      // title and axis captions
    static constexpr int kVerticalAxis = kHorizontalAxes; // axis number of setAxisChannel
    static constexpr int kVexaExtension = 100;            // vertical-extension step [vertical unit]
    static constexpr int kTavrinExtension = 50;           // the same for the Tavrin models
    static constexpr int kBottomReach = 2; // a point this near the bottom extends [pixels]

    ProfileGraph();

    // Texts longer than kMaxTextChars are ignored and the old text stays.
    const std::string& title() const { return title_; }
    void setTitle(std::string_view text);
    const ProfileAxis& vertical() const { return vertical_; }
    const ProfileAxis& horizontal(int axis) const {
        return horizontal_.at(static_cast<std::size_t>(axis));
    }
    void setVerticalLabel(std::string_view text);
    void setHorizontalLabel(int axis, std::string_view text);
    // Axis numbers outside 0..3 are ignored.
    void setHorizontalRange(int axis, AxisRange range);
    void setVerticalRange(AxisRange range);
    // Axis 0..3 is a horizontal axis, kVerticalAxis the vertical one.
    void setAxisChannel(int axis, int channel);
    void setEnabled(int axis, bool enabled);
    int enabledAxes() const;
    bool grid() const { return grid_; }
    void setGrid(bool on);
    // What the vertical maximum grows by when a cast reaches the bottom of the plot.
    void setExtensionStep(int step) { extensionStep_ = step; }
    int extensionStep() const { return extensionStep_; }

    ProfileAxes ranges() const;
    void setRanges(const ProfileAxes& axes);

    const ProfileBuffer& buffer() const { return buffer_; }
    // Stored scans, 0 to ProfileBuffer::kCapacity - 1.
    int count() const { return buffer_.count(); }
    void storeValue(int channel, long index, float value) { buffer_.store(channel, index, value); }
    // The point of one scan: its values are stored at the current count and appended to the
    // four curves; a point near the bottom extends the vertical range. The pieces of curve
    // to draw, or none when the graph is due for a full drawing anyway. A graph without
    // buffer memory neither stores nor plots anything.
    std::optional<CurveSteps> addPoint(float vertical,
                                       const std::array<float, kHorizontalAxes>& horizontal);
    // One scan: the first `stored` of its values go into the buffer channels of the same
    // number, then the values of the axes' channels make its point (see addPoint).
    std::optional<CurveSteps> addScan(std::span<const float> values, std::size_t stored);
    // Cast start: no stored scans, empty curves; the ranges stay.
    void clear();
    // Fits each horizontal axis to its stored values (see ProfileAutozoom); an axis with
    // nothing to fit keeps its range.
    void zoomToFit();

    // The window's client area: the screen layout follows it.
    void setClient(PixelRect client);
    const PixelRect& client() const { return client_; }
    // The curves of the stored scans in the screen layout, built afresh (a full drawing).
    // Rebuilt curves keep only the points that add a pixel to their polylines.
    void rebuildCurves() { curves_ = curvesIn(layout_.plot); }
    const ProfileLayout& layout() const { return layout_; }
    const std::vector<PixelPoint>& curve(int axis) const {
        return curves_.at(static_cast<std::size_t>(axis));
    }
    // The curves of the stored scans drawn in another plot (a printed page).
    std::array<std::vector<PixelPoint>, kHorizontalAxes> curvesIn(const PixelRect& plot) const;

    bool redrawPending() const { return redrawPending_; }
    void requestRedraw() { redrawPending_ = true; }
    // A full drawing has been made.
    void markDrawn() { redrawPending_ = false; }

    CurveLabels& labels() { return labels_; }
    const CurveLabels& labels() const { return labels_; }

private:
    ProfileAxis* axisNumber(int axis);

    std::string title_;
    ProfileAxis vertical_;
    std::array<ProfileAxis, kHorizontalAxes> horizontal_;
    bool grid_ = false;
    int extensionStep_ = kVexaExtension;
    ProfileBuffer buffer_;
    PixelRect client_;
    ProfileLayout layout_;
    std::array<std::vector<PixelPoint>, kHorizontalAxes> curves_;
    // The newest point of each curve; none right after a clear.
    std::optional<std::array<PixelPoint, kHorizontalAxes>> last_;
    bool redrawPending_ = true;
    CurveLabels labels_;
};

} // namespace halcyx
