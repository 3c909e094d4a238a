#include "core/graphs/PlotGeometry.h"

#include <algorithm>
#include <cmath>

namespace halcyx {

namespace {

// Profile graph on screen [pixels].
constexpr int kProfileLeft = 70;
constexpr int kProfileTop = 30;
constexpr int kProfileRightMargin = 39;
constexpr int kProfileBareBottom = 120; // room under the plot when no axis is enabled
constexpr int kScaleRowPitch = 30;
constexpr int kScaleRowGap = 10; // from the plot's bottom edge to the first row of labels

// Profile graph on paper, as fractions of the rectangle.
constexpr double kPageLeft = 0.1;
constexpr double kPageTop = 0.05;
constexpr double kPageRightMargin = 0.05;
constexpr double kPageRowPitch = 0.0375;
constexpr double kPageBareBottom = 0.15;
constexpr int kPageRowGapDivisor = 8; // first label row: an eighth of the room under the plot

// Strip charts on screen [pixels].
constexpr int kPressureLeft = 60, kPressureTop = 5;
constexpr int kPressureRightRoom = 210, kPressureBottomRoom = 20, kPressureLabelStrip = 15;
constexpr int kModuleLeft = 100, kModuleTop = 5;
constexpr int kModuleRightRoom = 120, kModuleBottomRoom = 70, kModuleLabelStrip = 35;
// Strip charts on paper [screen pixels, scaled]: room for the caption and value labels at
// the left, the x labels and unit caption under the plot.
constexpr int kPageStripLeft = 100, kPageStripTop = 10, kPageStripRight = 10;
constexpr int kPageStripBottom = 35;

// A window smaller than the margins gives an empty plot rather than an inverted one.
PixelRect NotInverted(PixelRect r) {
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}

int Scaled(double fraction, int length) {
    return static_cast<int>(std::lround(fraction * length));
}

StripLayout StripAt(int left, int top, int width, int height, int labelStrip) {
    return {NotInverted({left, top, left + width, top + height}), labelStrip, 1.0};
}

} // namespace

ProfileLayout ProfileLayoutOnScreen(PixelRect client, int enabledAxes) {
    const int rows = std::clamp(enabledAxes, 0, kHorizontalAxes);
    PixelRect plot{client.left + kProfileLeft, client.top + kProfileTop,
                   client.right - kProfileRightMargin, 0};
    plot.bottom = client.bottom - (rows == 0 ? kProfileBareBottom : kScaleRowPitch * rows);
    plot = NotInverted(plot);
    return {plot, plot.bottom + kScaleRowGap, kScaleRowPitch, 1.0};
}

// The fractions are taken of the rectangle's own width and height, so the graph keeps its
// proportions wherever the page places the rectangle.
ProfileLayout ProfileLayoutOnPage(PixelRect frame, int enabledAxes, double pixel) {
    const int rows = std::clamp(enabledAxes, 0, kHorizontalAxes);
    const int w = std::max(frame.width(), 0), h = std::max(frame.height(), 0);
    PixelRect plot{frame.left + Scaled(kPageLeft, w), frame.top + Scaled(kPageTop, h),
                   frame.right - Scaled(kPageRightMargin, w), 0};
    plot.bottom =
        frame.bottom - (rows == 0 ? Scaled(kPageBareBottom, h) : Scaled(kPageRowPitch * rows, h));
    plot = NotInverted(plot);
    return {plot, plot.bottom + (frame.bottom - plot.bottom) / kPageRowGapDivisor,
            Scaled(kPageRowPitch, h), pixel};
}

StripLayout PressureStripOnScreen(int clientWidth, int clientHeight) {
    return StripAt(kPressureLeft, kPressureTop, clientWidth - kPressureRightRoom,
                   clientHeight - kPressureBottomRoom, kPressureLabelStrip);
}

StripLayout ModuleStripOnScreen(int clientWidth, int clientHeight) {
    return StripAt(kModuleLeft, kModuleTop, clientWidth - kModuleRightRoom,
                   clientHeight - kModuleBottomRoom, kModuleLabelStrip);
}

StripLayout StripLayoutOnPage(PixelRect frame, double pixel) {
    const auto px = [pixel](int figure) { return static_cast<int>(std::lround(figure * pixel)); };
    const PixelRect plot{frame.left + px(kPageStripLeft), frame.top + px(kPageStripTop),
                         frame.right - px(kPageStripRight), frame.bottom - px(kPageStripBottom)};
    return {NotInverted(plot), px(kPageStripBottom), pixel};
}

} // namespace halcyx
