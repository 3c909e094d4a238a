#include "core/graphs/ProfileGraph.h"

#include "core/graphs/Autozoom.h"

#include <algorithm>

namespace halcyx {

namespace {

// The ranges a new graph shows until its settings are applied.
constexpr AxisRange kDefaultVertical{0, 500};
constexpr std::array<AxisRange, kHorizontalAxes> kDefaultHorizontal = {
    {{-1, 10}, {17, 27}, {-1, 10}, {0, 25}}};
constexpr int kInset = 1; // rebuilt curves stay this far inside the plot's edges [pixels]

// std::clamp with bounds that may cross on a plot too small to hold them.
int hold(int value, int low, int high) {
    return std::max(std::min(value, high), low);
}

AxisScale verticalScale(const AxisRange& range, const PixelRect& plot) {
    return {range, static_cast<double>(plot.top), static_cast<double>(plot.bottom)};
}

AxisScale horizontalScale(const AxisRange& range, const PixelRect& plot) {
    return {range, static_cast<double>(plot.left), static_cast<double>(plot.right)};
}

// Neighbouring scans that land on the same pixel add nothing to a polyline.
void append(std::vector<PixelPoint>& curve, PixelPoint point) {
    if (curve.empty() || curve.back() != point)
        curve.push_back(point);
}

// The device position of a value held within [low, high], for rebuilding whole curves: the
// same mapping as AxisScale with its rounding, but without a library call per value, since a
// rebuild maps every stored scan. A value that is not a number lands on low.
class HeldScale {
public:
    HeldScale(const AxisRange& range, int from, int to, int low, int high)
        : minimum_(range.minimum), from_(from), low_(low), high_(std::max(low, high)),
          perUnit_(range.span() == 0 ? 0.0 : (to - from) / range.span()) {}

    int operator()(float value) const {
        const double position = from_ + (value - minimum_) * perUnit_;
        const double held = position > high_ ? high_ : position >= low_ ? position : low_;
        return low_ + static_cast<int>(held - low_ + 0.5); // rounded, as held - low >= 0
    }

private:
    double minimum_;
    double from_;
    int low_;
    int high_;
    double perUnit_;
};

// Builds the polyline of a whole curve leaving out the points that add no pixel. A profile
// falls slowly down the plot, so its scans come in long runs on one row, and a run on one row
// covers the pixels from its leftmost to its rightmost point, whatever the order: of each run
// only the first, the leftmost, the rightmost and the last point are kept.
class RowRuns {
public:
    explicit RowRuns(std::vector<PixelPoint>& curve) : curve_(curve) {}
    ~RowRuns() { flush(); }
    RowRuns(const RowRuns&) = delete;
    RowRuns& operator=(const RowRuns&) = delete;

    void add(PixelPoint point) {
        if (open_ && point.y != first_.y)
            flush();
        if (!open_) {
            open_ = true;
            first_ = left_ = right_ = last_ = point;
            leftFirst_ = true;
            return;
        }
        last_ = point;
        if (point.x < left_.x) {
            left_ = point;
            leftFirst_ = false;
        } else if (point.x > right_.x) {
            right_ = point;
            leftFirst_ = true;
        }
    }

private:
    void flush() {
        if (!open_)
            return;
        append(curve_, first_);
        append(curve_, leftFirst_ ? left_ : right_);
        append(curve_, leftFirst_ ? right_ : left_);
        append(curve_, last_);
        open_ = false;
    }

    std::vector<PixelPoint>& curve_;
    bool open_ = false;
    PixelPoint first_, left_, right_, last_;
    bool leftFirst_ = true; // the leftmost point came before the rightmost
};

bool fitsText(std::string_view text) {
    return text.size() <= ProfileGraph::kMaxTextChars;
}

} // namespace

ProfileGraph::ProfileGraph() {
    vertical_.range = kDefaultVertical;
    for (std::size_t k = 0; k < horizontal_.size(); ++k)
        horizontal_[k].range = kDefaultHorizontal[k];
}

void ProfileGraph::setTitle(std::string_view text) {
    if (fitsText(text))
        title_ = text;
}

void ProfileGraph::setVerticalLabel(std::string_view text) {
    if (fitsText(text))
        vertical_.label = text;
}

void ProfileGraph::setHorizontalLabel(int axis, std::string_view text) {
    if (axis >= 0 && axis < kHorizontalAxes && fitsText(text))
        horizontal_[static_cast<std::size_t>(axis)].label = text;
}

void ProfileGraph::setHorizontalRange(int axis, AxisRange range) {
    if (axis < 0 || axis >= kHorizontalAxes)
        return;
    horizontal_[static_cast<std::size_t>(axis)].range = range;
    requestRedraw();
}

void ProfileGraph::setVerticalRange(AxisRange range) {
    vertical_.range = range;
    requestRedraw();
}

ProfileAxis* ProfileGraph::axisNumber(int axis) {
    if (axis == kVerticalAxis)
        return &vertical_;
    if (axis >= 0 && axis < kHorizontalAxes)
        return &horizontal_[static_cast<std::size_t>(axis)];
    return nullptr;
}

void ProfileGraph::setAxisChannel(int axis, int channel) {
    if (ProfileAxis* target = axisNumber(axis)) {
        target->channel = channel;
        requestRedraw();
    }
}

void ProfileGraph::setEnabled(int axis, bool enabled) {
    if (axis < 0 || axis >= kHorizontalAxes)
        return;
    horizontal_[static_cast<std::size_t>(axis)].enabled = enabled;
    layout_ = ProfileLayoutOnScreen(client_, enabledAxes());
    requestRedraw();
}

int ProfileGraph::enabledAxes() const {
    return static_cast<int>(std::count_if(horizontal_.begin(), horizontal_.end(),
                                          [](const ProfileAxis& a) { return a.enabled; }));
}

void ProfileGraph::setGrid(bool on) {
    grid_ = on;
    requestRedraw();
}

ProfileAxes ProfileGraph::ranges() const {
    ProfileAxes axes{vertical_.range, {}};
    for (std::size_t k = 0; k < horizontal_.size(); ++k)
        axes.horizontal[k] = horizontal_[k].range;
    return axes;
}

void ProfileGraph::setRanges(const ProfileAxes& axes) {
    vertical_.range = axes.vertical;
    for (std::size_t k = 0; k < horizontal_.size(); ++k)
        horizontal_[k].range = axes.horizontal[k];
    requestRedraw();
}

std::optional<CurveSteps> ProfileGraph::addScan(std::span<const float> values, std::size_t stored) {
    if (!buffer_.allocated() || values.empty())
        return std::nullopt;
    const int index = count();
    for (std::size_t i = 0; i < std::min(stored, values.size()); ++i)
        storeValue(static_cast<int>(i), index, values[i]);
    const auto valueOf = [values](const ProfileAxis& axis) {
        return values[std::min(static_cast<std::size_t>(std::max(axis.channel, 0)),
                               values.size() - 1)];
    };
    std::array<float, kHorizontalAxes> across{};
    for (int k = 0; k < kHorizontalAxes; ++k)
        across[static_cast<std::size_t>(k)] = valueOf(horizontal(k));
    return addPoint(valueOf(vertical()), across);
}

std::optional<CurveSteps>
ProfileGraph::addPoint(float vertical, const std::array<float, kHorizontalAxes>& horizontal) {
    if (!buffer_.allocated())
        return std::nullopt;
    const int index = buffer_.count();
    buffer_.store(vertical_.channel, index, vertical);
    for (std::size_t k = 0; k < horizontal_.size(); ++k)
        buffer_.store(horizontal_[k].channel, index, horizontal[k]);

    const PixelRect& plot = layout_.plot;
    int y = verticalScale(vertical_.range, plot).toPixel(vertical);
    if (y > plot.bottom - kBottomReach) {
        vertical_.range.maximum += extensionStep_;
        y = verticalScale(vertical_.range, plot).toPixel(vertical);
        requestRedraw();
    }
    y = std::max(y, plot.top);

    std::array<PixelPoint, kHorizontalAxes> points{};
    CurveSteps steps{};
    for (std::size_t k = 0; k < horizontal_.size(); ++k) {
        const int x = horizontalScale(horizontal_[k].range, plot).toPixel(horizontal[k]);
        points[k] = {hold(x, plot.left + kInset, plot.right - kInset), y};
        append(curves_[k], points[k]);
        steps[k] = {last_ ? (*last_)[k] : points[k], points[k]};
    }
    last_ = points;
    buffer_.advance();
    if (redrawPending_)
        return std::nullopt;
    return steps;
}

void ProfileGraph::clear() {
    buffer_.clear();
    for (auto& curve : curves_)
        curve.clear();
    last_.reset();
    requestRedraw();
}

void ProfileGraph::zoomToFit() {
    for (std::size_t k = 0; k < horizontal_.size(); ++k) {
        ValueExtent extent;
        for (float value : buffer_.stored(horizontal_[k].channel))
            extent.add(value);
        if (const auto range = ProfileAutozoom(extent, static_cast<int>(k)))
            horizontal_[k].range = *range;
    }
    requestRedraw();
}

void ProfileGraph::setClient(PixelRect client) {
    client_ = client;
    layout_ = ProfileLayoutOnScreen(client_, enabledAxes());
}

std::array<std::vector<PixelPoint>, kHorizontalAxes>
ProfileGraph::curvesIn(const PixelRect& plot) const {
    std::array<std::vector<PixelPoint>, kHorizontalAxes> curves;
    const std::span<const float> depths = buffer_.stored(vertical_.channel);
    const HeldScale down(vertical_.range, plot.top, plot.bottom, plot.top + kInset,
                         plot.bottom - kInset);
    std::vector<int> rows(depths.size());
    std::transform(depths.begin(), depths.end(), rows.begin(), down);
    for (std::size_t k = 0; k < curves.size(); ++k) {
        const std::span<const float> values = buffer_.stored(horizontal_[k].channel);
        const HeldScale across(horizontal_[k].range, plot.left, plot.right, plot.left + kInset,
                               plot.right - kInset);
        RowRuns runs(curves[k]);
        for (std::size_t i = 0; i < values.size() && i < rows.size(); ++i)
            runs.add({across(values[i]), rows[i]});
    }
    return curves;
}

} // namespace halcyx
