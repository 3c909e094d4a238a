#include "core/graphs/CurveLabels.h"

namespace halcyx {

void CurveLabels::setText(int index, std::string_view text) {
    if (!valid(index))
        return;
    CurveLabel& label = labels_[static_cast<std::size_t>(index)];
    label.text = std::string(text.substr(0, kMaxChars));
    label.shown = true;
    placing_ = index;
}

void CurveLabels::show(int index, bool shown) {
    if (valid(index))
        labels_[static_cast<std::size_t>(index)].shown = shown;
}

std::optional<int> CurveLabels::labelAt(PixelPoint point) const {
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const CurveLabel& label = labels_[i];
        if (label.shown && point.x >= label.box.left && point.x <= label.box.right &&
            point.y >= label.box.top && point.y < label.box.bottom)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

bool CurveLabels::press(PixelPoint point) {
    if (placing_) {
        labels_[static_cast<std::size_t>(*placing_)].box = {point.x, point.y, point.x + kBoxWidth,
                                                            point.y + kBoxHeight};
        placing_.reset();
        return true;
    }
    dragged_ = labelAt(point);
    return false;
}

bool CurveLabels::release(PixelPoint point) {
    if (!dragged_)
        return false;
    PixelRect& box = labels_[static_cast<std::size_t>(*dragged_)].box;
    box = {point.x, point.y, point.x + box.width(), point.y + box.height()};
    dragged_.reset();
    return true;
}

} // namespace halcyx
