#include "gui/printing/PageText.h"

#include "core/base/Letterhead.h"

#include <QFontMetrics>
#include <QPainter>

namespace halcyx {

namespace {
QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

int lineHeight(const QPainter& painter, const QFont& font) {
    return QFontMetrics(font, painter.device()).height();
}

void drawTextAt(QPainter& painter, const QString& text, PixelPoint topLeft) {
    drawAnchoredText(painter, text, QPointF(topLeft.x, topLeft.y), Qt::AlignLeft | Qt::AlignTop);
}

void drawLetterhead(QPainter& painter, PixelPoint origin) {
    const PlotDevice device(painter);
    const QFont font = graphFont(kPageTitleFont, device);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int step = lineHeight(painter, font);
    for (const std::string_view line : kLetterhead.printedLines()) {
        drawTextAt(painter, qText(line), origin);
        origin.y += step;
    }
}

void drawInfoColumn(QPainter& painter, const QString& heading, const std::vector<InfoRow>& rows,
                    const InfoColumn& column, const InfoFonts& fonts) {
    painter.setPen(Qt::black);
    painter.setFont(fonts.label);
    drawTextAt(painter, heading, column.heading);
    const int step = lineHeight(painter, fonts.label);
    const int room = column.valueRight - column.valueLeft;
    const QFontMetrics valueMetrics(fonts.value, painter.device());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int top = column.rowTop(static_cast<int>(i), step);
        painter.setFont(fonts.label);
        drawAnchoredText(painter, qText(rows[i].label), QPointF(column.labelRight, top),
                         Qt::AlignRight | Qt::AlignTop);
        painter.setFont(fonts.value);
        drawTextAt(painter, valueMetrics.elidedText(qText(rows[i].value), Qt::ElideLeft, room),
                   {column.valueLeft, top});
    }
}

} // namespace halcyx
