#pragma once

#include "core/graphs/PlotGeometry.h"
#include "core/graphs/PositionHistory.h"
#include "core/graphs/ScaleMarks.h"
#include "core/graphs/StripView.h"
#include "core/serial/RingBuf.h"

#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

// One sample of a pressure strip as drawn: its centre [device units] and colour class.
struct StripCross {
    int x = 0;
    int y = 0;
    int colourClass = 0;
};

// A navigation position written along a strip, at the x of the sample it belongs to.
struct StripPositionMark {
    int x = 0;
    std::string text;
};

// The state of one towed pressure graph, without painting: its title and colour parameter,
// pressure range and colour thresholds, the scroll state, and the history of every sample
// (pressure, colour value and the navigation position that came with it) since the last
// reset. What it draws is worked out here, so the window, the printout and the tests see
// the same strip.
class PresGraph {
public:
    static constexpr std::size_t kTextChars = 59;   // title and colour parameter name
    static constexpr double kDefaultScanRate = 4.5; // [scans per second]

    // Graph number 1 to 4; the title is "Pressure Graph %d".
    explicit PresGraph(int number);

    const std::string& title() const { return title_; }
    void setTitle(std::string_view title);
    // The colour parameter: the caption of the value readout.
    const std::string& colourName() const { return colourName_; }
    void setColourName(std::string_view name);

    // Top and bottom of the plot [dbar].
    void setPressureRange(double low, double high);
    double lowPressure() const { return lowPressure_; }
    double highPressure() const { return highPressure_; }
    // Colour thresholds [the colour parameter's unit].
    void setThresholds(double low, double high);
    double lowThreshold() const { return lowThreshold_; }
    double highThreshold() const { return highThreshold_; }
    void setViewWidth(int samples);
    void setUnits(StripUnits units) { units_ = units; }
    StripUnits units() const { return units_; }
    void setGrid(bool on) { grid_ = on; }
    bool grid() const { return grid_; }
    // The instrument's sampling rate, which turns sample counts into seconds [scans/s].
    void setScanRate(double scansPerSecond) { scanRate_ = scansPerSecond; }
    double scanRate() const { return scanRate_; }

    // One scan: its pressure [dbar] and colour value, then the position it was taken at.
    void addSample(float pressure, float colourValue);
    void addPosition(double latitude, char latitudeHemisphere, double longitude,
                     char longitudeHemisphere);
    // Logging starts: no samples, live view, sample count 1.
    void reset();

    const StripView& view() const { return view_; }
    // Scroll bar events; a full view stops at the oldest sample held.
    void scroll(StripView::Scroll action, int thumbPosition = 0);
    // The newest sample number shown, as the "View Position" readout gives it.
    long viewPosition() const { return view_.samplesAdded() - view_.offset(); }
    int storedSamples() const { return pressure_.count(); }

    // The pressure scale from the plot's top to its bottom [device units].
    std::vector<ScaleMark> pressureMarks(int top, int bottom, int divisions) const;
    // The x labels across the plot [device units].
    std::vector<ScaleMark> timeMarks(int left, int right, int divisions) const;
    // The visible samples, newest first, inside the plot [device units]. A pressure below
    // the low limit lies above the plot and is left out; one beyond the high limit lies on
    // the bottom edge.
    std::vector<StripCross> crosses(const PixelRect& plot) const;
    // The positions written along the plot (newest first).
    std::vector<StripPositionMark> positionMarks(const PixelRect& plot) const;

private:
    std::string title_;
    std::string colourName_;
    double lowPressure_ = 0.0, highPressure_ = 300.0;
    double lowThreshold_ = 0.0, highThreshold_ = 300.0;
    StripUnits units_ = StripUnits::Scans;
    bool grid_ = false;
    double scanRate_ = kDefaultScanRate;
    StripView view_;

    RingBuf<float> pressure_{RingBuf<float>::kGraphCapacity};
    RingBuf<float> colourValue_{RingBuf<float>::kGraphCapacity};
    PositionHistory positions_;
};

// Where a pressure lies below the plot's top, as a part of its height: 0 at the low limit,
// capped at 1 beyond the high limit, negative above the low limit; 0 for an empty range.
double PressureFraction(double pressure, double low, double high);

} // namespace halcyx
