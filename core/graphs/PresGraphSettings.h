#pragma once

#include "core/graphs/StripView.h"

#include <string>

namespace halcyx {

class PresGraph;
class Profile;

// What the settings file keeps of pressure graph 1 to 4, in the section "PGRAPH%d": the
// four numbers as the operator typed them, and the flags and choices as stored.
struct PresGraphSettings {
    std::string lowPres;  // top of the pressure axis [dbar]
    std::string highPres; // bottom of the pressure axis [dbar]
    std::string lowThres; // colour thresholds [the colour parameter's unit]
    std::string highThres;
    bool enable = false; // the graph is shown
    bool grid = false;
    int width = 0;      // 0 narrow, 1 normal, anything else wide
    int units = 0;      // 0 scans, 1 seconds, 2 distance
    int paramIndex = 0; // position of the colour parameter in the channel list

    // The stored units code as what the x labels count; an unknown code counts scans.
    StripUnits stripUnits() const;
    friend bool operator==(const PresGraphSettings&, const PresGraphSettings&) = default;
};

PresGraphSettings readPresGraphSettings(const Profile& profile, int graph);
// Writes every key, in the order the setup dialog's OK stores them.
void writePresGraphSettings(Profile& profile, int graph, const PresGraphSettings& settings);
// The range, thresholds, view width, units and grid into the graph; the colour parameter
// and showing the graph are the window's.
void applyPresGraphSettings(const PresGraphSettings& settings, PresGraph& graph);

} // namespace halcyx
