#pragma once

#include "core/graphs/PlotGeometry.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace halcyx {

// A text the operator pins to the plot to name a curve, and the box it sits in [pixels].
struct CurveLabel {
    bool shown = false;
    std::string text;
    PixelRect box;
};

// The four curve labels of the profile graph and their placing with the right mouse
// button: a new text waits for a press that sets its place, and a shown label can be
// dragged to another. Labels are not kept in the settings file.
class CurveLabels {
public:
    static constexpr std::size_t kMaxChars = 29;
    static constexpr int kBoxWidth = 50, kBoxHeight = 20; // of a newly placed label [pixels]

    const CurveLabel& operator[](int index) const {
        return labels_.at(static_cast<std::size_t>(index));
    }

    // Stores the text (cut to kMaxChars), shows the label and waits for its place.
    void setText(int index, std::string_view text);
    void show(int index, bool shown);

    bool placing() const { return placing_.has_value(); }
    bool dragging() const { return dragged_.has_value(); }

    // The first shown label whose box holds the point: left and right edges count, the top
    // edge counts and the bottom edge does not.
    std::optional<int> labelAt(PixelPoint point) const;

    // Right button down: places the label waiting for a place, or picks up the label under
    // the pointer. True when a label moved (the graph is to be redrawn).
    bool press(PixelPoint point);
    // Right button up: a label being dragged gets its top-left corner at the pointer,
    // keeping its size. True when a label moved.
    bool release(PixelPoint point);

private:
    static bool valid(int index) { return index >= 0 && index < static_cast<int>(kLabels); }
    static constexpr std::size_t kLabels = 4;

    std::array<CurveLabel, kLabels> labels_{};
    std::optional<int> placing_;
    std::optional<int> dragged_;
};

} // namespace halcyx
