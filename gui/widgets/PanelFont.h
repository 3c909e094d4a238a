#pragma once

#include <QFont>
#include <QString>

namespace halcyx {

// A font given as the readouts and graphs describe them: face, cell height and average
// character width in pixels, and weight on the 100..900 scale (400 normal, 700 bold).
// The width is met by stretching the face, so a substitute face keeps the layout.
QFont panelFont(const QString& face, int heightPx, int widthPx, int weight);

} // namespace halcyx
