#pragma once

#include "gui/plot/GraphPainter.h"

namespace halcyx {

class ModGraphData;

// The module graph: the vertical caption, the value scale, the black plot with the green
// value line (a value outside the range drawn at the edge it passed), the time labels and,
// with navigation, the positions along the strip. On the screen the frame is the graph
// window's client area; on paper the strip fills the frame with ten divisions per scale.
class ModGraphPainter : public GraphPainter {
public:
    ModGraphPainter(const ModGraphData& data, bool navigation)
        : data_(&data), navigation_(navigation) {}
    void draw(QPainter& painter, QRect frame) const override;

private:
    const ModGraphData* data_;
    bool navigation_;
};

} // namespace halcyx
