#pragma once

#include "core/graphs/AxisScale.h"
#include "core/graphs/PositionHistory.h"
#include "core/graphs/StripView.h"
#include "core/serial/RingBuf.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace halcyx {

// One sample of the module graph's history with the navigation position it was taken at.
struct ModSample {
    float value = 0;      // [the module's unit]
    double latitude = 0;  // ddmm.mmmm
    double longitude = 0; // dddmm.mmmm
    char latHemisphere = 'X';
    char lonHemisphere = 'X';
};

// The state of the module graph without any painting: title and caption, value range,
// x units, grid, the scroll state and the history rings of values and positions.
class ModGraphData {
public:
    static constexpr std::size_t kMaxTitleChars = 59;
    static constexpr double kSecondsPerSample = 1.0; // one record per data tick

    ModGraphData();

    const std::string& title() const { return title_; }
    // Longer titles are cut to kMaxTitleChars.
    void setTitle(const std::string& title);
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { caption_ = caption; }

    // low at the top of the plot, high at its bottom.
    AxisRange range() const { return range_; }
    void setRange(double low, double high) { range_ = {low, high}; }
    StripUnits units() const { return units_; }
    void setUnits(StripUnits units) { units_ = units; }
    bool grid() const { return grid_; }
    void setGrid(bool grid) { grid_ = grid; }

    const StripView& view() const { return view_; }
    // Sets the width [samples]; the scroll range follows.
    void setViewWidth(int samples);
    // A scroll bar event; the view never reaches past the oldest sample written.
    void scroll(StripView::Scroll action, int thumbPosition = 0);

    void addValue(float value);
    // The position as received, kept in double precision so that the labels along the strip
    // show the digits the receiver sent.
    void addPosition(double latitude, char latHemisphere, double longitude, char lonHemisphere);
    // Logging starts: the rings empty, offset 0, samples added 1.
    void reset();

    // The samples in view, newest first.
    std::vector<ModSample> visibleSamples() const;
    // The range that fits the samples in view; none while nothing is in view.
    std::optional<AxisRange> autozoomRange() const;

private:
    std::string title_;
    std::string caption_;
    AxisRange range_{0.0, 300.0};
    StripUnits units_ = StripUnits::Scans;
    bool grid_ = false;
    StripView view_;
    RingBuf<float> values_{RingBuf<float>::kGraphCapacity};
    PositionHistory positions_;
};

} // namespace halcyx
