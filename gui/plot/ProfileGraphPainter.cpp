#include "gui/plot/ProfileGraphPainter.h"

#include "core/graphs/ProfileGraph.h"
#include "gui/plot/GraphColours.h"
#include "gui/plot/GraphText.h"
#include "gui/plot/PlotDevice.h"
#include "gui/plot/PlotPieces.h"

#include <QFontMetricsF>
#include <QPainter>

namespace halcyx {

namespace {

constexpr int kCaptionLeft = 10;        // horizontal axis captions, from the left [pixels]
constexpr int kCaptionRaise = 3;        // captions sit this far above their label row
constexpr int kVerticalCaptionLeft = 7; // [pixels]
constexpr double kTitleDrop = 0.25;     // title top below the frame, of the text height

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// A point of the screen plot moved to the same place of another plot.
QPoint mapped(PixelPoint p, const PixelRect& from, const PixelRect& to) {
    const auto along = [](int v, int fromStart, int fromLength, int toStart, int toLength) {
        return fromLength == 0 ? toStart
                               : toStart + static_cast<int>(static_cast<long long>(v - fromStart) *
                                                            toLength / fromLength);
    };
    return {along(p.x, from.left, from.width(), to.left, to.width()),
            along(p.y, from.top, from.height(), to.top, to.height())};
}

} // namespace

void ProfileGraphPainter::draw(QPainter& painter, QRect frame) const {
    const PlotDevice device(painter);
    const ProfileGraph& g = graph_;
    const PixelRect client = toPixelRect(frame);
    const ProfileLayout layout = device.onPaper()
                                     ? ProfileLayoutOnPage(client, g.enabledAxes(), device.pixel())
                                     : ProfileLayoutOnScreen(client, g.enabledAxes());
    const PixelRect& plot = layout.plot;
    const QRect plotBox = toQRect(plot);
    const int pen = device.penWidth();

    painter.save();
    if (!device.onPaper())
        drawFramedBox(painter, frame, kGraphBackground, pen);
    drawFramedBox(painter, plotBox, Qt::white, pen);

    // Vertical scale. The divisions are counted in screen pixels, so a page carries as many
    // as the window and its labels stay apart.
    const auto inPixels = [&device](int length) {
        return static_cast<int>(length / device.pixel());
    };
    painter.setFont(graphFont(kProfileScaleFont, device));
    painter.setPen(QPen(Qt::black, pen));
    const std::vector<ScaleMark> rows =
        MarkScale(plot.top, plot.bottom, g.vertical().range,
                  ProfileVerticalDivisions(inPixels(plot.height())), LabelStyle::ProfileVertical);
    drawValueScale(painter, rows, plot.left, scaled(kProfileVerticalScale, device));

    // One scale row and one caption per enabled horizontal axis.
    const QFont scaleFont = painter.font();
    const QFont captionFont = graphFont(kProfileAxisFont, device);
    const int columnCount = ProfileHorizontalDivisions(inPixels(plot.width()));
    int offset = 0;
    for (int k = 0; k < kHorizontalAxes; ++k) {
        const ProfileAxis& axis = g.horizontal(k);
        if (!axis.enabled)
            continue;
        painter.setPen(QPen(kAxisColours[static_cast<std::size_t>(k)], pen));
        painter.setFont(scaleFont);
        drawHorizontalScale(
            painter,
            MarkScale(plot.left, plot.right, axis.range, columnCount, LabelStyle::ThreeDecimals),
            {plot.bottom + offset, layout.scaleRowTop + offset, device.px(kProfileRowTick), true,
             false});
        painter.setFont(captionFont);
        drawAnchoredText(painter, qText(axis.label),
                         QPointF(frame.left() + device.px(kCaptionLeft),
                                 layout.scaleRowTop + offset - device.px(kCaptionRaise)),
                         Qt::AlignLeft | Qt::AlignTop);
        offset += layout.rowPitch;
    }
    painter.setPen(kGraphTitleBlue);
    drawUpwardCaption(painter, qText(g.vertical().label),
                      frame.left() + device.px(kVerticalCaptionLeft),
                      plot.top + plot.height() / 2.0);

    if (g.grid()) {
        const std::vector<ScaleMark> columns =
            MarkScale(plot.left, plot.right, {}, columnCount, LabelStyle::ThreeDecimals);
        drawGridLines(painter, plotBox, std::span(rows).subspan(1), std::span(columns).subspan(1),
                      kGraphBackground, pen);
    }

    // The curves: the graph's own on its screen plot, rebuilt for any other.
    const bool ownPlot = !device.onPaper() && plot == g.layout().plot;
    std::array<std::vector<PixelPoint>, kHorizontalAxes> rebuilt;
    if (!ownPlot)
        rebuilt = g.curvesIn(plot);
    for (int k = 0; k < kHorizontalAxes; ++k) {
        if (g.horizontal(k).enabled)
            drawCurve(painter, ownPlot ? g.curve(k) : rebuilt[static_cast<std::size_t>(k)],
                      kAxisColours[static_cast<std::size_t>(k)], pen);
    }

    painter.setFont(graphFont(kCurveLabelFont, device));
    for (int k = 0; k < kHorizontalAxes; ++k) {
        const CurveLabel& label = g.labels()[k];
        if (!label.shown)
            continue;
        const PixelPoint corner{label.box.left, label.box.top};
        painter.setPen(kAxisColours[static_cast<std::size_t>(k)]);
        drawAnchoredText(painter, qText(label.text),
                         ownPlot ? QPoint(corner.x, corner.y)
                                 : mapped(corner, g.layout().plot, plot),
                         Qt::AlignLeft | Qt::AlignTop);
    }

    const QFont titleFont = graphFont(kProfileTitleFont, device);
    painter.setFont(titleFont);
    painter.setPen(kGraphTitleBlue);
    const double titleHeight = QFontMetricsF(titleFont, painter.device()).height();
    drawAnchoredText(
        painter, qText(g.title()),
        QPointF(frame.left() + frame.width() / 2.0, frame.top() + kTitleDrop * titleHeight),
        Qt::AlignHCenter | Qt::AlignTop);
    painter.restore();
}

} // namespace halcyx
