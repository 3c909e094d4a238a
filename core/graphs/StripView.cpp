#include "core/graphs/StripView.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace halcyx {

namespace {

constexpr int kPositionLabels = 4;
constexpr int kPositionLabelChars = 64;
constexpr double kDefaultScanRate = 1.0; // [scans per second]
constexpr int kThresholdSteps = 6;       // colour classes 1 to 7 between the thresholds

} // namespace

int StripView::WidthFromSetting(int setting) {
    return setting == 0 ? kNarrow : setting == 1 ? kNormal : kWide;
}

void StripView::setViewWidth(int samples) {
    viewWidth_ = std::clamp(samples, 1, kHistory);
    offset_ = std::clamp(offset_, 0, kHistory - viewWidth_);
}

void StripView::reset() {
    offset_ = 0;
    samplesAdded_ = 1;
}

void StripView::scroll(Scroll action, int thumbPosition) {
    // Offset steps of the line and page events, in the order Scroll names them.
    constexpr std::array<int, 4> kSteps = {kLineStep, -kLineStep, kPageStep, -kPageStep};
    offset_ = action == Scroll::ToPosition ? scrollMaximum() - thumbPosition
                                           : offset_ + kSteps[static_cast<std::size_t>(action)];
    offset_ = std::clamp(offset_, 0, kHistory - viewWidth_);
}

long StripView::held() const {
    // Samples that ever came in, as far as the ring still holds them.
    return std::min<long>(samplesAdded_ - 1, kHistory);
}

void StripView::keepWithinHeld() {
    offset_ =
        static_cast<int>(std::clamp<long>(offset_, 0, std::max<long>(held() - viewWidth_, 0)));
}

VisibleRun StripView::visible(int stored) const {
    VisibleRun run{0, std::clamp(stored, 0, viewWidth_)};
    if (run.count == viewWidth_ && offset_ > 0)
        run.skip = static_cast<int>(std::clamp<long>(held() - run.count, 0, offset_));
    return run;
}

std::vector<ScaleMark> StripView::timeMarks(int left, int right, int divisions, StripUnits units,
                                            double scanRate) const {
    const int m = std::max(divisions, 1);
    const double rate = std::isfinite(scanRate) && scanRate > 0 ? scanRate : kDefaultScanRate;
    const bool filling = samplesAdded_ < viewWidth_;
    std::vector<ScaleMark> marks;
    for (int i = 0; i <= m; ++i) {
        const long samples = filling ? i * (samplesAdded_ / m)
                                     : (samplesAdded_ - offset_) - (m - i) * (viewWidth_ / m);
        const bool seconds = units == StripUnits::Seconds;
        const double value = seconds ? samples / rate : static_cast<double>(samples);
        marks.push_back(
            {left + i * (right - left) / m, value,
             FormatLabel(seconds ? LabelStyle::OneDecimal : LabelStyle::SampleCount, value, {})});
    }
    return marks;
}

int StripSampleX(int plotWidth, int i, int visible) {
    if (visible <= 0)
        return plotWidth;
    const double step = static_cast<double>(plotWidth) / visible;
    return static_cast<int>(std::lround(plotWidth - i * step));
}

int StripColourClass(double value, double lowThreshold, double highThreshold) {
    if (value < lowThreshold)
        return 0;
    if (value > highThreshold)
        return kStripColourClasses - 1;
    if (highThreshold == lowThreshold)
        return 0;
    const double step =
        1 + kThresholdSteps * (value - lowThreshold) / (highThreshold - lowThreshold);
    // NaN fails both comparisons and lands here too; it belongs to no class.
    if (!(step >= 0 && step < kStripColourClasses))
        return 0;
    return static_cast<int>(step);
}

std::vector<int> StripPositionLabelSamples(int visible) {
    std::vector<int> samples;
    for (int k = 0; k < kPositionLabels; ++k) {
        // With fewer than four samples v - v/4 is v itself, one past the oldest: left out.
        const int i = k == 0 ? 0 : visible - k * visible / kPositionLabels;
        if (i < visible)
            samples.push_back(i);
    }
    return samples;
}

std::string PositionLabel(double latitude, char latitudeHemisphere, double longitude,
                          char longitudeHemisphere) {
    std::array<char, kPositionLabelChars> text{};
    std::snprintf(text.data(), text.size(), "%.3f %c %.3f %c", latitude, latitudeHemisphere,
                  longitude, longitudeHemisphere);
    return text.data();
}

} // namespace halcyx
