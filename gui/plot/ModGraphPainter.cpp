#include "gui/plot/ModGraphPainter.h"

#include "core/graphs/AxisScale.h"
#include "core/graphs/PlotGeometry.h"
#include "core/graphs/ScaleMarks.h"
#include "core/module/ModGraphData.h"
#include "gui/plot/GraphColours.h"
#include "gui/plot/GraphText.h"
#include "gui/plot/PlotDevice.h"
#include "gui/plot/PlotPieces.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace halcyx {

namespace {

constexpr int kCaptionLeft = 5;      // [pixels from the frame's left edge]
constexpr int kUnitCaptionTop = 18;  // [pixels under the plot]
constexpr int kPositionLabelTop = 4; // [pixels under the plot's top edge]
constexpr int kTitleInset = 6;       // [pixels inside the plot's top left corner]
constexpr int kLineWidth = 2;        // the value line, in frame pens
constexpr FontStyle kPageCaptionFont{kCaptionFace, 14, 0, kFontNormal, FontUnit::Points};
// The value labels ("%0.4f", eight characters and more) are a size smaller than the time
// labels, so that they end clear of the vertical caption.
constexpr FontStyle kValueFont{kScaleFace, 10, 0, kFontNormal, FontUnit::Points};

// Without the inner divisions: the grid draws only between the edges.
std::span<const ScaleMark> inner(const std::vector<ScaleMark>& marks) {
    if (marks.size() < 2)
        return {};
    return std::span(marks).subspan(1, marks.size() - 2);
}

} // namespace

void ModGraphPainter::draw(QPainter& painter, QRect frame) const {
    const ModGraphData& data = *data_;
    const PlotDevice device(painter);
    const bool paper = device.onPaper();
    StripLayout layout;
    if (paper) {
        layout = StripLayoutOnPage(toPixelRect(frame), device.pixel());
        drawFramedBox(painter, frame, Qt::white, device.penWidth());
    } else {
        layout = ModuleStripOnScreen(frame.width(), frame.height());
        layout.plot.left += frame.left();
        layout.plot.right += frame.left();
        layout.plot.top += frame.top();
        layout.plot.bottom += frame.top();
        painter.fillRect(frame, kGraphBackground);
    }
    const QRect plot = toQRect(layout.plot);
    const int strip = layout.labelStrip;
    painter.fillRect(QRect(plot.left(), plot.bottom() + 1, plot.width(), strip), kGraphBackground);
    painter.fillRect(plot, Qt::black);

    painter.save();
    painter.setFont(graphFont(paper ? kPageCaptionFont : kModuleCaptionFont, device));
    painter.setPen(kGraphTitleBlue);
    drawUpwardCaption(painter, QString::fromStdString(data.caption()),
                      frame.left() + device.px(kCaptionLeft), plot.center().y());
    painter.restore();

    painter.save();
    painter.setFont(graphFont(kValueFont, device));
    painter.setPen(kGraphScaleNavy);
    const int rows = paper ? kPageStripDivisions : StripValueDivisions(plot.height());
    const std::vector<ScaleMark> values = MarkScale(layout.plot.top, layout.plot.bottom,
                                                    data.range(), rows, LabelStyle::FourDecimals);
    drawValueScale(painter, values, plot.left(), scaled(kModuleScale, device));
    painter.setFont(graphFont(kStripScaleFont, device));
    const int columns = paper ? kPageStripDivisions : StripTimeDivisions(plot.width());
    const StripUnits units = data.units();
    const std::vector<ScaleMark> times = data.view().timeMarks(
        layout.plot.left, layout.plot.right, columns, units, 1.0 / ModGraphData::kSecondsPerSample);
    const int tick = device.px(kStripTimeTick);
    drawHorizontalScale(painter, times,
                        {layout.plot.bottom, layout.plot.bottom + tick, tick, false, true});
    drawAnchoredText(painter,
                     units == StripUnits::Seconds ? QStringLiteral("Time (Seconds)")
                                                  : QStringLiteral("Time (Scans)"),
                     QPointF(plot.center().x(), layout.plot.bottom + device.px(kUnitCaptionTop)),
                     Qt::AlignHCenter | Qt::AlignTop);
    painter.restore();

    painter.save();
    painter.setClipRect(plot);
    if (data.grid())
        drawGridLines(painter, plot, inner(values), inner(times), kGraphBackground,
                      device.penWidth());
    painter.setFont(graphFont(kPressureTitleFont, device));
    painter.setPen(kGraphBackground);
    drawAnchoredText(
        painter, QString::fromStdString(data.title()),
        QPointF(plot.left() + device.px(kTitleInset), plot.top() + device.px(kTitleInset)),
        Qt::AlignLeft | Qt::AlignTop);

    const std::vector<ModSample> samples = data.visibleSamples();
    const int v = static_cast<int>(samples.size());
    if (navigation_) {
        painter.setFont(graphFont(kStripScaleFont, device));
        // Centred on its sample; the newest one's stays inside the plot.
        const qreal half = painter.fontMetrics().height() / 2.0;
        for (const int i : StripPositionLabelSamples(v)) {
            const ModSample& s = samples[static_cast<std::size_t>(i)];
            const int x = layout.plot.left + StripSampleX(layout.plot.width(), i, v);
            drawTurnedText(painter,
                           QString::fromStdString(PositionLabel(s.latitude, s.latHemisphere,
                                                                s.longitude, s.lonHemisphere)),
                           QPointF(std::min(x + half, qreal(layout.plot.right)),
                                   layout.plot.top + device.px(kPositionLabelTop)),
                           Reading::Downwards);
        }
    }
    const AxisScale scale(data.range(), layout.plot.top, layout.plot.bottom);
    std::vector<PixelPoint> line;
    line.reserve(samples.size());
    for (int i = 0; i < v; ++i) {
        const double f = scale.fraction(samples[static_cast<std::size_t>(i)].value);
        // Beyond the range the line runs along the edge it passed.
        line.push_back({layout.plot.left + StripSampleX(layout.plot.width(), i, v),
                        scale.pixelAt(std::isnan(f) ? 0.0 : std::clamp(f, 0.0, 1.0))});
    }
    drawCurve(painter, line, kModuleLineGreen, kLineWidth * device.penWidth());
    painter.restore();
}

} // namespace halcyx
