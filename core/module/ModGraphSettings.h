#pragma once

#include "core/module/ModGraphData.h"

#include <string>

namespace halcyx {

class Profile;

// The module graph's settings, section MODGRAPH, as the "Module Graph Setup" dialog edits
// them. Low and High are kept as typed, so the file holds what the operator entered.
struct ModGraphSettings {
    std::string low = "0.0";
    std::string high = "300.0";
    bool show = false; // "Show Graph"
    bool grid = false;
    int width = 0; // 0 narrow, 1 normal, 2 wide
    StripUnits units = StripUnits::Scans;

    // The settings as the file holds them.
    static ModGraphSettings read(const Profile& profile);
    // Writes Low, High, Enable, Grid, Width and Units.
    void write(Profile& profile) const;
    // Range, grid, view width and units into the graph.
    void applyTo(ModGraphData& graph) const;
};

// The graph's range as the dialog shows it: "%.4f".
std::string rangeText(double value);

} // namespace halcyx
