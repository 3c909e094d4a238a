#include "gui/plot/GraphText.h"

#include "gui/widgets/PanelFont.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace halcyx {

namespace {
constexpr double kQuarterTurn = 90; // [degrees, clockwise on the device]
} // namespace

QFont graphFont(const FontStyle& style, const PlotDevice& device) {
    const bool points = style.unit == FontUnit::Points || device.onPaper();
    const int height = std::max(1, points ? device.points(style.height) : style.height);
    const QString face = QString::fromLatin1(style.face);
    if (style.width > 0) // the width keeps its proportion to the height
        return panelFont(face, height, std::max(1, style.width * height / style.height),
                         style.weight);
    QFont font(face);
    font.setPixelSize(height);
    font.setWeight(static_cast<QFont::Weight>(style.weight));
    return font;
}

void drawAnchoredText(QPainter& painter, const QString& text, QPointF anchor,
                      Qt::Alignment alignment) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    const qreal width = metrics.horizontalAdvance(text);
    qreal x = anchor.x();
    if (alignment & Qt::AlignRight)
        x -= width;
    else if (alignment & Qt::AlignHCenter)
        x -= width / 2;
    qreal top = anchor.y();
    if (alignment & Qt::AlignVCenter)
        top -= metrics.height() / 2;
    painter.drawText(QPointF(x, top + metrics.ascent()), text);
}

void drawTurnedText(QPainter& painter, const QString& text, QPointF start, Reading reading) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.save();
    painter.translate(start);
    painter.rotate(reading == Reading::Upwards ? -kQuarterTurn : kQuarterTurn);
    painter.drawText(QPointF(0, metrics.ascent()), text);
    painter.restore();
}

void drawUpwardCaption(QPainter& painter, const QString& text, double x, double centreY) {
    const qreal length = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
    drawTurnedText(painter, text, QPointF(x, centreY + length / 2), Reading::Upwards);
}

} // namespace halcyx
