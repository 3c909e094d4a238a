#pragma once

#include <QColor>
#include <array>

namespace halcyx {

// The fixed colours of the graphs.
inline const QColor kGraphBackground(192, 192, 192); // window background, grid, zoom box
inline const QColor kGraphGrey(128, 128, 128);
inline const QColor kGraphTitleBlue(0, 0, 110); // titles and vertical captions
inline const QColor kGraphScaleNavy(0, 0, 128); // scale labels of the strip charts

// Curve and scale row of the profile graph's horizontal axes X1 to X4.
inline const std::array<QColor, 4> kAxisColours = {QColor(0, 255, 0), QColor(0, 0, 255),
                                                   QColor(255, 0, 0), QColor(0, 255, 255)};

// The towed pressure samples' colour classes 0 to 7: grey below the low threshold, then light
// grey, blue, magenta, cyan, green and yellow up to red at the high threshold.
inline const std::array<QColor, 8> kColourClassColours = {
    QColor(128, 128, 128), QColor(192, 192, 192), QColor(0, 0, 255),   QColor(255, 0, 255),
    QColor(0, 255, 255),   QColor(0, 255, 0),     QColor(255, 255, 0), QColor(255, 0, 0)};

// The module graph's value line.
inline const QColor kModuleLineGreen(0, 255, 0);

} // namespace halcyx
