#include "gui/widgets/PanelFont.h"

#include <QFontMetricsF>

namespace halcyx {

namespace {
constexpr int kNormalStretch = 100; // QFont's stretch of an unstretched face [%]
} // namespace

QFont panelFont(const QString& face, int heightPx, int widthPx, int weight) {
    QFont font(face);
    font.setPixelSize(heightPx);
    font.setWeight(static_cast<QFont::Weight>(weight));
    const qreal natural = QFontMetricsF(font).averageCharWidth();
    if (natural > 0)
        font.setStretch(qRound(kNormalStretch * widthPx / natural));
    return font;
}

} // namespace halcyx
