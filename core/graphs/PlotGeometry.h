#pragma once

namespace halcyx {

// A device point [device units: screen pixels or printer dots].
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A rectangle given by its edges [device units]; right and bottom lie one past the last
// column and row, so width = right - left.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // Inside and not on an edge: where a mouse press counts as a press on the plot.
    bool containsStrictly(PixelPoint p) const {
        return p.x > left && p.x < right && p.y > top && p.y < bottom;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Where the profile graph draws: its plot, the top of its first scale row, and the pitch
// between the scale rows of its horizontal axes. `pixel` is the size of one screen pixel on
// the device [device units], by which the fixed pixel figures (ticks, gaps) are scaled.
struct ProfileLayout {
    PixelRect plot;
    int scaleRowTop = 0;
    int rowPitch = 0;
    double pixel = 1.0;
};

inline constexpr int kHorizontalAxes = 4; // X1 to X4 of the profile graph

// The profile graph in a window whose client area is `client`, with `enabledAxes` scale rows.
ProfileLayout ProfileLayoutOnScreen(PixelRect client, int enabledAxes);
// The profile graph in a rectangle of a printed page; `pixel` [device units per screen pixel].
ProfileLayout ProfileLayoutOnPage(PixelRect frame, int enabledAxes, double pixel);

// Where a strip chart (towed pressure graph, module graph) draws: the plot and the height of
// the strip under it that carries the x labels [device units]; `pixel` as above.
struct StripLayout {
    PixelRect plot;
    int labelStrip = 0;
    double pixel = 1.0;
};

StripLayout PressureStripOnScreen(int clientWidth, int clientHeight);
StripLayout ModuleStripOnScreen(int clientWidth, int clientHeight);
// Either strip chart inside the framed rectangle of a printed page.
StripLayout StripLayoutOnPage(PixelRect frame, double pixel);

} // namespace halcyx
