#pragma once

#include "gui/plot/GraphPainter.h"

namespace halcyx {

class PresGraph;

// Draws a towed pressure graph: the vertical caption, the pressure scale, the x unit name
// and the strip (grid, x labels, positions along it, a cross per sample in the colour of
// its class). On the screen the frame is the window's client area and the title sits in
// the column of readouts at the right; on paper the frame is the printout's rectangle,
// framed in black, with ten divisions on both scales.
class PresGraphPainter : public GraphPainter {
public:
    explicit PresGraphPainter(const PresGraph& graph) : graph_(graph) {}
    void draw(QPainter& painter, QRect frame) const override;

private:
    const PresGraph& graph_;
};

} // namespace halcyx
