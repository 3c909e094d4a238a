#pragma once

#include "core/graphs/PlotGeometry.h"

#include <QRect>

class QPainter;

namespace halcyx {

// The device a graph is being drawn on. On the screen the graphs' figures are pixels; on
// paper (printer, preview, PDF) font sizes are points at the device's vertical resolution and
// pixel figures (ticks, gaps, crosses) grow to the size a screen pixel would have there, so
// a page looks the same on every printer.
class PlotDevice {
public:
    explicit PlotDevice(const QPainter& painter);

    bool onPaper() const { return paper_; }
    // A size in points as device units [points in, device units out].
    int points(double size) const;
    // One screen pixel [device units]: 1 on the screen.
    double pixel() const;
    // A figure in screen pixels as device units; a positive figure stays at least one unit.
    int px(int figure) const;
    // The pen of frames and samples [device units]: 1 on the screen, on paper a seventh of
    // the height of a 14-point font.
    int penWidth() const;

private:
    bool paper_ = false;
    int dpiY_ = 0;
};

QRect toQRect(const PixelRect& r);
PixelRect toPixelRect(const QRect& r);

} // namespace halcyx
