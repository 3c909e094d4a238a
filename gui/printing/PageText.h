#pragma once

#include "core/acquisition/PrintedInfo.h"
#include "core/graphs/PrintPage.h"
#include "gui/plot/GraphText.h"

#include <QFont>
#include <vector>

class QPainter;

namespace halcyx {

// The fonts of the printed pages, in points at the device's resolution.
inline constexpr FontStyle kPageTitleFont{kCaptionFace, 14, 0, kFontBold, FontUnit::Points};
inline constexpr FontStyle kInfoLabelFont{kScaleFace, 9, 0, kFontBold, FontUnit::Points};
inline constexpr FontStyle kInfoValueFont{kScaleFace, 9, 0, kFontNormal, FontUnit::Points};
inline constexpr FontStyle kModuleInfoFont{kScaleFace, 10, 0, kFontBold, FontUnit::Points};

// The height of a line of text in a font on the painter's device [device units].
int lineHeight(const QPainter& painter, const QFont& font);

// The letterhead's lines, one line height apart, from `origin` down.
void drawLetterhead(QPainter& painter, PixelPoint origin);

// The fonts of an information column: heading and labels, and values.
struct InfoFonts {
    QFont label;
    QFont value;
};
// The heading and one row per entry; a value too long for its room is shortened at its
// start, so a file's name stays readable.
void drawInfoColumn(QPainter& painter, const QString& heading, const std::vector<InfoRow>& rows,
                    const InfoColumn& column, const InfoFonts& fonts);

// A text written with its top-left corner at a point.
void drawTextAt(QPainter& painter, const QString& text, PixelPoint topLeft);

} // namespace halcyx
