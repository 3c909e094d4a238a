#include "gui/printing/ConfigPrintout.h"

#include "gui/plot/GraphText.h"
#include "gui/plot/PlotDevice.h"
#include "gui/printing/PageText.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <array>
#include <cmath>

namespace halcyx {

namespace {

// The sheet's fonts in the order of SheetFont.
constexpr std::array<FontStyle, 4> kSheetFonts = {
    FontStyle{kCaptionFace, 18, 0, kFontBold, FontUnit::Points},
    FontStyle{kCaptionFace, 14, 0, kFontBold, FontUnit::Points},
    FontStyle{kScaleFace, 12, 0, kFontBold, FontUnit::Points},
    FontStyle{kScaleFace, 12, 0, kFontNormal, FontUnit::Points},
};

// Where a sheet carries on when its lines run past the page's bottom [fraction of the page].
constexpr double kContinuedTop = 0.08;

int along(double fraction, int start, int length) {
    return start + static_cast<int>(std::lround(fraction * length));
}

} // namespace

void ConfigSheetPrintout::drawPage(QPainter& painter, QRect page) const {
    const PlotDevice device(painter);
    std::array<QFont, kSheetFonts.size()> fonts;
    for (std::size_t i = 0; i < fonts.size(); ++i)
        fonts[i] = graphFont(kSheetFonts[i], device);

    painter.save();
    painter.setPen(Qt::black);
    // A Vexa with all its DC channels on needs more lines than a page holds: the rest go
    // on a second sheet of paper rather than off the edge.
    auto* paper = dynamic_cast<QPagedPaintDevice*>(painter.device());
    int y = page.top();
    for (const SheetLine& line : lines_) {
        const QFont& font = fonts[static_cast<std::size_t>(line.font)];
        if (line.y)
            y = along(*line.y, page.top(), page.height());
        if (paper && y + lineHeight(painter, font) > page.bottom() && paper->newPage())
            y = along(kContinuedTop, page.top(), page.height());
        if (!line.text.empty()) {
            painter.setFont(font);
            drawTextAt(painter, QString::fromStdString(line.text),
                       {along(line.x, page.left(), page.width()), y});
        }
        y += lineHeight(painter, font);
    }
    painter.restore();
}

} // namespace halcyx
