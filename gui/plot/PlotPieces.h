#pragma once

#include "core/graphs/PlotGeometry.h"
#include "core/graphs/ScaleMarks.h"

#include <QBrush>
#include <QColor>
#include <QRect>
#include <span>
#include <vector>

class QPainter;

namespace halcyx {

class PlotDevice;

// The drawing pieces the graphs share, each in the painter's current font unless it takes
// one. Figures are in device units; the graphs scale their screen figures with
// PlotDevice::px() on paper.

// Fills a box and draws its black border `penWidth` wide along the inside of its edges.
void drawFramedBox(QPainter& painter, const QRect& box, const QBrush& fill, int penWidth);

// Dotted lines across the plot: a horizontal one at each row mark, a vertical one at each
// column mark.
void drawGridLines(QPainter& painter, const QRect& plot, std::span<const ScaleMark> rows,
                   std::span<const ScaleMark> columns, const QColor& colour, int penWidth);

// A value scale left of the plot: a tick `tick` long left of the plot's edge at each mark
// and the label ending `gap` left of the edge, centred on the tick or with its top there.
struct ValueScaleStyle {
    int tick;
    int gap;
    bool labelTopAtTick;
};
inline constexpr ValueScaleStyle kProfileVerticalScale{10, 15, false};
inline constexpr ValueScaleStyle kPressureScale{7, 9, true};
inline constexpr ValueScaleStyle kModuleScale{7, 12, true};
// The same style with its figures scaled for the device.
ValueScaleStyle scaled(const ValueScaleStyle& style, const PlotDevice& device);
void drawValueScale(QPainter& painter, std::span<const ScaleMark> marks, int plotLeft,
                    const ValueScaleStyle& style);

// A horizontal scale: ticks `tick` long downwards from lineY at each mark and labels with
// their top at labelTop, centred on their ticks. The profile graph's scale rows draw the line
// itself; the strip charts keep their first and last labels inside the plot's width.
struct HorizontalScale {
    int lineY;
    int labelTop;
    int tick;
    bool drawLine;
    bool endLabelsInside;
};
inline constexpr int kProfileRowTick = 5; // [pixels]
inline constexpr int kStripTimeTick = 4;  // [pixels]
inline constexpr int kStripValueTick = 7; // [pixels]
void drawHorizontalScale(QPainter& painter, std::span<const ScaleMark> marks,
                         const HorizontalScale& scale);

// A curve as one polyline through its device points.
void drawCurve(QPainter& painter, const std::vector<PixelPoint>& points, const QColor& colour,
               int penWidth);

// A towed pressure sample: an X of two diagonal strokes reaching `arm` from its centre.
inline constexpr int kSampleArm = 2; // [pixels]
void drawSampleCross(QPainter& painter, QPoint centre, int arm);

} // namespace halcyx
