#pragma once

#include "gui/plot/GraphPainter.h"

namespace halcyx {

class ProfileGraph;

// Draws the profile graph: background, white plot, the vertical scale and one coloured scale
// row per enabled horizontal axis, the axis captions (the vertical one turned to read
// upwards), the grid, the curves, the shown curve labels and the title. On the screen it uses
// the graph's own layout and curves; on paper it lays the graph out in the page's rectangle
// and rebuilds the curves there.
class ProfileGraphPainter : public GraphPainter {
public:
    explicit ProfileGraphPainter(const ProfileGraph& graph) : graph_(graph) {}
    void draw(QPainter& painter, QRect frame) const override;

private:
    const ProfileGraph& graph_;
};

} // namespace halcyx
