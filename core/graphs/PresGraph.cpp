#include "core/graphs/PresGraph.h"

#include <cmath>
#include <cstdio>

namespace halcyx {

namespace {
constexpr const char* kTitleFormat = "Pressure Graph %d";

std::string Cut(std::string_view text) {
    return std::string(text.substr(0, PresGraph::kTextChars));
}
} // namespace

PresGraph::PresGraph(int number) {
    char title[kTextChars + 1] = {};
    std::snprintf(title, sizeof title, kTitleFormat, number);
    title_ = title;
}

void PresGraph::setTitle(std::string_view title) {
    title_ = Cut(title);
}

void PresGraph::setColourName(std::string_view name) {
    colourName_ = Cut(name);
}

void PresGraph::setPressureRange(double low, double high) {
    lowPressure_ = low;
    highPressure_ = high;
}

void PresGraph::setThresholds(double low, double high) {
    lowThreshold_ = low;
    highThreshold_ = high;
}

void PresGraph::setViewWidth(int samples) {
    view_.setViewWidth(samples);
    view_.keepWithinHeld();
}

void PresGraph::addSample(float pressure, float colourValue) {
    pressure_.Put(pressure);
    colourValue_.Put(colourValue);
    view_.countSample();
}

void PresGraph::addPosition(double latitude, char latitudeHemisphere, double longitude,
                            char longitudeHemisphere) {
    positions_.put(latitude, latitudeHemisphere, longitude, longitudeHemisphere);
}

void PresGraph::reset() {
    pressure_.Reset();
    colourValue_.Reset();
    positions_.reset();
    view_.reset();
}

void PresGraph::scroll(StripView::Scroll action, int thumbPosition) {
    view_.scroll(action, thumbPosition);
    view_.keepWithinHeld();
}

std::vector<ScaleMark> PresGraph::pressureMarks(int top, int bottom, int divisions) const {
    return MarkScale(top, bottom, {lowPressure_, highPressure_}, divisions, LabelStyle::OneDecimal);
}

std::vector<ScaleMark> PresGraph::timeMarks(int left, int right, int divisions) const {
    return view_.timeMarks(left, right, divisions, units_, scanRate_);
}

std::vector<StripCross> PresGraph::crosses(const PixelRect& plot) const {
    const VisibleRun run = view_.visible(pressure_.count());
    std::vector<StripCross> out;
    out.reserve(static_cast<std::size_t>(run.count));
    for (int i = 0; i < run.count; ++i) {
        const auto age = static_cast<std::uint32_t>(run.skip + i);
        const double f = PressureFraction(pressure_.back(age), lowPressure_, highPressure_);
        if (!(f >= 0)) // above the plot, or no number at all
            continue;
        out.push_back({plot.left + StripSampleX(plot.width(), i, run.count),
                       plot.top + static_cast<int>(f * plot.height()),
                       StripColourClass(colourValue_.back(age), lowThreshold_, highThreshold_)});
    }
    return out;
}

std::vector<StripPositionMark> PresGraph::positionMarks(const PixelRect& plot) const {
    const VisibleRun run = view_.visible(pressure_.count());
    std::vector<StripPositionMark> out;
    for (const int i : StripPositionLabelSamples(run.count)) {
        const int age = run.skip + i;
        if (age >= positions_.count()) // a sample that came without a position
            continue;
        const auto at = static_cast<std::uint32_t>(age);
        out.push_back(
            {plot.left + StripSampleX(plot.width(), i, run.count),
             PositionLabel(positions_.latitudes().back(at), positions_.latHemispheres().back(at),
                           positions_.longitudes().back(at),
                           positions_.lonHemispheres().back(at))});
    }
    return out;
}

double PressureFraction(double pressure, double low, double high) {
    if (high == low)
        return 0.0;
    const double f = (pressure - low) / (high - low);
    return f > 1.0 ? 1.0 : f;
}

} // namespace halcyx
