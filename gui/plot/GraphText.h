#pragma once

#include "gui/plot/PlotDevice.h"

#include <QFont>
#include <QPointF>
#include <QString>

class QPainter;

namespace halcyx {

// Whether a graph font's size is given in screen pixels or in points.
enum class FontUnit { Pixels, Points };

// A graph font: face, cell height and average character width (0: the face's own) in the
// unit given, and weight on the 100..900 scale. On paper every size counts as points.
struct FontStyle {
    const char* face;
    int height;
    int width;
    int weight;
    FontUnit unit;
};

inline constexpr const char* kScaleFace = "Arial";             // scale labels
inline constexpr const char* kCaptionFace = "Times New Roman"; // titles and captions
inline constexpr int kFontNormal = 400, kFontBold = 700;

// The fonts of the graphs.
inline constexpr FontStyle kProfileScaleFont{kScaleFace, 12, 4, kFontNormal, FontUnit::Pixels};
inline constexpr FontStyle kProfileAxisFont{kCaptionFace, 14, 6, kFontNormal, FontUnit::Pixels};
inline constexpr FontStyle kProfileTitleFont{kCaptionFace, 18, 8, kFontBold, FontUnit::Pixels};
inline constexpr FontStyle kCurveLabelFont{kScaleFace, 9, 0, kFontNormal, FontUnit::Points};
inline constexpr FontStyle kStripScaleFont{kScaleFace, 12, 0, kFontNormal, FontUnit::Points};
inline constexpr FontStyle kPressureCaptionFont{kCaptionFace, 14, 6, kFontNormal, FontUnit::Pixels};
inline constexpr FontStyle kPressureTitleFont{kCaptionFace, 16, 7, kFontBold, FontUnit::Pixels};
// The pressure graph's scales and position labels: they share a 15-pixel strip under the plot.
inline constexpr FontStyle kPressureScaleFont{kScaleFace, 12, 0, kFontNormal, FontUnit::Pixels};
inline constexpr FontStyle kModuleCaptionFont{kCaptionFace, 16, 0, kFontNormal, FontUnit::Points};

// The font for a device: pixel sizes on the screen, point sizes at the device resolution.
QFont graphFont(const FontStyle& style, const PlotDevice& device);

// Writes a line of text in the painter's font and pen with the anchor point at the place
// `alignment` names: left, right or horizontal centre, and top or vertical centre.
void drawAnchoredText(QPainter& painter, const QString& text, QPointF anchor,
                      Qt::Alignment alignment);

// How a turned text reads.
enum class Reading { Upwards, Downwards };
// Writes a text turned a quarter. `start` is where the line begins and the edge the letters
// stand on faces away from it: reading upwards the letters lie right of start, reading
// downwards left of it.
void drawTurnedText(QPainter& painter, const QString& text, QPointF start, Reading reading);
// A vertical caption reading upwards whose left edge is at x and whose middle is at centreY.
void drawUpwardCaption(QPainter& painter, const QString& text, double x, double centreY);

} // namespace halcyx
