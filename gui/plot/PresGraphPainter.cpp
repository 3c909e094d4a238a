#include "gui/plot/PresGraphPainter.h"

#include "core/graphs/PresGraph.h"
#include "gui/plot/GraphColours.h"
#include "gui/plot/GraphText.h"
#include "gui/plot/PlotDevice.h"
#include "gui/plot/PlotPieces.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>

namespace halcyx {

namespace {

// Screen figures [pixels].
constexpr int kCaptionLeft = 5;     // the vertical caption's left edge from the frame's
constexpr int kTitleFromRight = 75; // the title's centre from the frame's right edge
constexpr int kTitleTop = 100;
constexpr int kUnitGap = 5;          // between the plot's right edge and the unit name
constexpr int kPositionLabelTop = 3; // the position labels' start below the plot's top

const QString kPressureCaption = QStringLiteral("Pressure (dbars)");
const std::array<QString, 3> kUnitNames = {QStringLiteral("Scans"), QStringLiteral("Seconds"),
                                           QStringLiteral("N/A Distance")};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void PresGraphPainter::draw(QPainter& painter, QRect frame) const {
    const PlotDevice device(painter);
    const bool paper = device.onPaper();
    StripLayout layout = paper ? StripLayoutOnPage(toPixelRect(frame), device.pixel())
                               : PressureStripOnScreen(frame.width(), frame.height());
    if (!paper) { // the screen layout counts from the client area's corner
        layout.plot.left += frame.left(), layout.plot.right += frame.left();
        layout.plot.top += frame.top(), layout.plot.bottom += frame.top();
    }
    const PixelRect& p = layout.plot;
    const QRect plot = toQRect(p);
    const int pen = device.penWidth();
    painter.save();
    if (paper)
        drawFramedBox(painter, frame, Qt::white, pen);
    else
        painter.fillRect(frame, kGraphBackground);

    painter.setFont(graphFont(kPressureCaptionFont, device));
    painter.setPen(kGraphTitleBlue);
    drawUpwardCaption(painter, kPressureCaption, frame.left() + device.px(kCaptionLeft),
                      plot.center().y());
    if (!paper) { // on paper the printout writes the title
        painter.setFont(graphFont(kPressureTitleFont, device));
        drawAnchoredText(painter, Text(graph_.title()),
                         QPointF(frame.right() + 1 - kTitleFromRight, frame.top() + kTitleTop),
                         Qt::AlignHCenter | Qt::AlignTop);
    }

    // The label strip under the plot, the plot, and the grid at the pressure divisions.
    painter.fillRect(QRect(p.left, p.bottom, p.width(), layout.labelStrip), kGraphBackground);
    painter.fillRect(plot, Qt::black);
    const std::vector<ScaleMark> pressures = graph_.pressureMarks(
        p.top, p.bottom, paper ? kPageStripDivisions : StripValueDivisions(p.height()));
    if (graph_.grid())
        drawGridLines(painter, plot, pressures, {}, kGraphGrey, pen);

    painter.setFont(graphFont(kPressureScaleFont, device));
    painter.setPen(QPen(kGraphScaleNavy, pen));
    drawValueScale(painter, pressures, p.left, scaled(kPressureScale, device));
    const int tick = device.px(kStripTimeTick);
    const std::vector<ScaleMark> times = graph_.timeMarks(
        p.left, p.right, paper ? kPageStripDivisions : StripTimeDivisions(p.width()));
    drawHorizontalScale(painter, times, {p.bottom, p.bottom + tick, tick, false, true});
    const QString unit = kUnitNames[static_cast<std::size_t>(graph_.units())];
    if (paper) // under the x labels, ending at the plot's right edge
        drawAnchoredText(painter, unit,
                         QPointF(p.right, p.bottom + tick + QFontMetricsF(painter.font()).height()),
                         Qt::AlignRight | Qt::AlignTop);
    else // right of the x labels, under the plot's corner
        drawAnchoredText(painter, unit, QPointF(p.right + kUnitGap, p.bottom + tick),
                         Qt::AlignLeft | Qt::AlignTop);

    // Positions and samples stay inside the plot, as if drawn into a bitmap of its size.
    painter.setClipRect(plot);
    painter.setPen(kGraphBackground);
    const qreal halfLine = QFontMetricsF(painter.font(), painter.device()).height() / 2;
    for (const StripPositionMark& mark : graph_.positionMarks(p)) {
        // Centred on its sample's column, but kept whole inside the plot: the newest sample
        // sits on the right edge.
        const qreal centre = std::clamp<qreal>(mark.x, p.left + halfLine, p.right - halfLine);
        drawTurnedText(painter, Text(mark.text),
                       QPointF(centre + halfLine, p.top + device.px(kPositionLabelTop)),
                       Reading::Downwards);
    }
    const int arm = device.px(kSampleArm);
    for (const StripCross& cross : graph_.crosses(p)) {
        painter.setPen(QPen(kColourClassColours[static_cast<std::size_t>(cross.colourClass)], pen));
        drawSampleCross(painter, QPoint(cross.x, cross.y), arm);
    }
    painter.restore();
}

} // namespace halcyx
