#pragma once

#include <QRect>

class QPainter;

namespace halcyx {

// One graph as a drawing that knows nothing of windows: the graph windows, the printouts
// and the preview call draw() with their own painter and the rectangle the graph fills
// [device units], so the screen, the printer and a PDF show the same graph.
class GraphPainter {
public:
    virtual ~GraphPainter() = default;
    virtual void draw(QPainter& painter, QRect frame) const = 0;

protected:
    GraphPainter() = default;
    GraphPainter(const GraphPainter&) = default;
    GraphPainter& operator=(const GraphPainter&) = default;
};

} // namespace halcyx
