#pragma once

#include "core/graphs/ProfileGraph.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>

namespace halcyx {

class Profile;

// One axis as the settings file and the "Graph Setup" dialog hold it: texts as entered, the
// parameter as a position in the cast's channel list.
struct AxisSettings {
    std::string label;
    std::string minimum;
    std::string maximum;
    int param = 0;
    bool enabled = true; // not stored for the vertical axis
};

// Everything of the profile graph that the settings file keeps.
struct ProfileGraphSettings {
    std::string title;
    AxisSettings vertical;
    std::array<AxisSettings, kHorizontalAxes> horizontal;
    bool autoZoom = false;
    std::string updateRate;
    bool grid = false;
};

// Auto-zoom runs at most every this many scans.
inline constexpr int kMinUpdateRate = 5;

// The settings of the profile graph; the vertical parameter is held to 0..lastPosition.
ProfileGraphSettings readProfileGraphSettings(const Profile& profile, int lastPosition);
void writeProfileGraphSettings(Profile& profile, const ProfileGraphSettings& settings);

// The update rate the texts give [scans], never below kMinUpdateRate.
int updateRateOf(const std::string& text);

// Hands the settings to the graph in the order "Graph Setup" does: grid, title, vertical
// caption and range, horizontal captions and ranges, the channels of X1 to X4 and then of
// the vertical axis (a list position becomes a buffer channel through recordIndex), and the
// four enables.
void applyProfileGraphSettings(ProfileGraph& graph, const ProfileGraphSettings& settings,
                               const std::function<int(int position)>& recordIndex);

} // namespace halcyx
