#include "core/graphs/ProfileSettings.h"

#include "core/base/DecimalNumber.h"
#include "core/settings/Catalogue.h"

#include <algorithm>
#include <cstdlib>

namespace halcyx {

namespace {

constexpr int kHorizontal = 0; // first axis number of setAxisChannel

AxisRange rangeOf(const AxisSettings& axis) {
    return {decimalNumber(axis.minimum), decimalNumber(axis.maximum)};
}

} // namespace

ProfileGraphSettings readProfileGraphSettings(const Profile& profile, int lastPosition) {
    ProfileGraphSettings s;
    s.title = kGraphTitle.read(profile);
    s.vertical = {kYLabel.read(profile), kYMin.read(profile), kYMax.read(profile),
                  std::clamp(kYParam.read(profile), 0, std::max(lastPosition, 0)), true};
    for (std::size_t k = 0; k < kXAxes.size(); ++k) {
        const XAxisSettings& keys = kXAxes[k];
        s.horizontal[k] = {keys.label.read(profile), keys.min.read(profile), keys.max.read(profile),
                           keys.param.read(profile), keys.enable.read(profile) != 0};
    }
    s.autoZoom = kAutoZoomEnable.read(profile) != 0;
    s.updateRate = kAutoZoomRate.read(profile);
    s.grid = kGridEnable.read(profile) != 0;
    return s;
}

void writeProfileGraphSettings(Profile& profile, const ProfileGraphSettings& s) {
    kGraphTitle.write(profile, s.title);
    kYLabel.write(profile, s.vertical.label);
    kYMin.write(profile, s.vertical.minimum);
    kYMax.write(profile, s.vertical.maximum);
    kYParam.write(profile, s.vertical.param);
    for (std::size_t k = 0; k < kXAxes.size(); ++k) {
        const XAxisSettings& keys = kXAxes[k];
        const AxisSettings& axis = s.horizontal[k];
        keys.label.write(profile, axis.label);
        keys.min.write(profile, axis.minimum);
        keys.max.write(profile, axis.maximum);
        keys.param.write(profile, axis.param);
        keys.enable.write(profile, axis.enabled ? 1 : 0);
    }
    kAutoZoomEnable.write(profile, s.autoZoom ? 1 : 0);
    kAutoZoomRate.write(profile, s.updateRate);
    kGridEnable.write(profile, s.grid ? 1 : 0);
}

int updateRateOf(const std::string& text) {
    return std::max(std::atoi(text.c_str()), kMinUpdateRate);
}

void applyProfileGraphSettings(ProfileGraph& graph, const ProfileGraphSettings& s,
                               const std::function<int(int position)>& recordIndex) {
    graph.setGrid(s.grid);
    graph.setTitle(s.title);
    graph.setVerticalLabel(s.vertical.label);
    graph.setVerticalRange(rangeOf(s.vertical));
    for (int k = 0; k < kHorizontalAxes; ++k) {
        const AxisSettings& axis = s.horizontal[static_cast<std::size_t>(k)];
        graph.setHorizontalLabel(k, axis.label);
        graph.setHorizontalRange(k, rangeOf(axis));
    }
    for (int k = 0; k < kHorizontalAxes; ++k)
        graph.setAxisChannel(kHorizontal + k,
                             recordIndex(s.horizontal[static_cast<std::size_t>(k)].param));
    graph.setAxisChannel(ProfileGraph::kVerticalAxis, recordIndex(s.vertical.param));
    for (int k = 0; k < kHorizontalAxes; ++k)
        graph.setEnabled(k, s.horizontal[static_cast<std::size_t>(k)].enabled);
}

} // namespace halcyx
