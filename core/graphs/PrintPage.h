#pragma once

#include "core/graphs/PlotGeometry.h"

#include <optional>

namespace halcyx {

// The information column of a graph page: its heading, then one row per field, each a
// label that ends at labelRight and a value that runs from valueLeft to at most valueRight
// [device units].
struct InfoColumn {
    PixelPoint heading;
    int labelRight = 0;
    int valueLeft = 0;
    int valueRight = 0;
    // Top of row i: heading.y + (i + 1) line heights.
    int rowTop(int row, int lineHeight) const { return heading.y + (row + 1) * lineHeight; }
};

// Where everything goes on a printed graph page [device units of the printable page]: the
// top-left corners of the letterhead's first line and of the printout title, the
// information column, and the rectangle the graph draws itself into.
struct GraphPage {
    std::optional<PixelPoint> letterhead;
    std::optional<InfoColumn> info;
    std::optional<PixelPoint> title;
    PixelRect graph;
};

// The line heights of a page [device units]: the information rows and the title font.
struct PageLines {
    int row = 0;
    int title = 0;
};

// The cast graph page: the graph alone, or with the letterhead and `rows` rows of cast
// information above it (portrait) or in a column left of it (a page wider than high).
GraphPage CastGraphPage(PixelRect page, bool castInfo, int rows, PageLines lines);
// The pressure graph page: letterhead, cast information, title and a graph a quarter of
// the page high.
GraphPage PressureGraphPage(PixelRect page, int rows, PageLines lines);
// The module graph page: the graph alone, or with the letterhead, the logging information
// and the title above it.
GraphPage ModuleGraphPage(PixelRect page, bool castInfo, int rows, PageLines lines);

} // namespace halcyx
