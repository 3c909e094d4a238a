#include "gui/plot/PlotPieces.h"

#include "gui/plot/GraphText.h"
#include "gui/plot/PlotDevice.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace halcyx {

namespace {
QString Text(const ScaleMark& mark) {
    return QString::fromStdString(mark.text);
}
} // namespace

void drawFramedBox(QPainter& painter, const QRect& box, const QBrush& fill, int penWidth) {
    if (box.width() <= 0 || box.height() <= 0)
        return;
    painter.save();
    painter.fillRect(box, fill);
    // Four bands along the inside of the edges, so that no pen spills out of the box.
    const int w = std::min({penWidth, box.width(), box.height()});
    painter.fillRect(QRect(box.left(), box.top(), box.width(), w), Qt::black);
    painter.fillRect(QRect(box.left(), box.bottom() - w + 1, box.width(), w), Qt::black);
    painter.fillRect(QRect(box.left(), box.top(), w, box.height()), Qt::black);
    painter.fillRect(QRect(box.right() - w + 1, box.top(), w, box.height()), Qt::black);
    painter.restore();
}

void drawGridLines(QPainter& painter, const QRect& plot, std::span<const ScaleMark> rows,
                   std::span<const ScaleMark> columns, const QColor& colour, int penWidth) {
    painter.save();
    painter.setPen(QPen(colour, penWidth, Qt::DotLine));
    const int right = plot.left() + plot.width(), bottom = plot.top() + plot.height();
    for (const ScaleMark& row : rows)
        painter.drawLine(plot.left(), row.pixel, right, row.pixel);
    for (const ScaleMark& column : columns)
        painter.drawLine(column.pixel, plot.top(), column.pixel, bottom);
    painter.restore();
}

ValueScaleStyle scaled(const ValueScaleStyle& style, const PlotDevice& device) {
    return {device.px(style.tick), device.px(style.gap), style.labelTopAtTick};
}

void drawValueScale(QPainter& painter, std::span<const ScaleMark> marks, int plotLeft,
                    const ValueScaleStyle& style) {
    const Qt::Alignment alignment =
        Qt::AlignRight | (style.labelTopAtTick ? Qt::AlignTop : Qt::AlignVCenter);
    for (const ScaleMark& mark : marks) {
        painter.drawLine(plotLeft, mark.pixel, plotLeft - style.tick, mark.pixel);
        drawAnchoredText(painter, Text(mark), QPointF(plotLeft - style.gap, mark.pixel), alignment);
    }
}

void drawHorizontalScale(QPainter& painter, std::span<const ScaleMark> marks,
                         const HorizontalScale& scale) {
    if (marks.empty())
        return;
    if (scale.drawLine)
        painter.drawLine(marks.front().pixel, scale.lineY, marks.back().pixel, scale.lineY);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const ScaleMark& mark = marks[i];
        painter.drawLine(mark.pixel, scale.lineY, mark.pixel, scale.lineY + scale.tick);
        Qt::Alignment alignment = Qt::AlignHCenter;
        if (scale.endLabelsInside && i == 0)
            alignment = Qt::AlignLeft;
        else if (scale.endLabelsInside && i + 1 == marks.size())
            alignment = Qt::AlignRight;
        drawAnchoredText(painter, Text(mark), QPointF(mark.pixel, scale.labelTop),
                         alignment | Qt::AlignTop);
    }
}

void drawCurve(QPainter& painter, const std::vector<PixelPoint>& points, const QColor& colour,
               int penWidth) {
    QPolygon line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const PixelPoint& p : points)
        line.append(QPoint(p.x, p.y));
    painter.save();
    painter.setPen(QPen(colour, penWidth));
    painter.drawPolyline(line);
    painter.restore();
}

void drawSampleCross(QPainter& painter, QPoint centre, int arm) {
    painter.drawLine(centre + QPoint(-arm, -arm), centre + QPoint(arm, arm));
    painter.drawLine(centre + QPoint(arm, -arm), centre + QPoint(-arm, arm));
}

} // namespace halcyx
