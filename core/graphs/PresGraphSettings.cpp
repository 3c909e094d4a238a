#include "core/graphs/PresGraphSettings.h"

#include "core/base/DecimalNumber.h"
#include "core/graphs/PresGraph.h"
#include "core/settings/Catalogue.h"

namespace halcyx {

namespace pg = pressure_graph;

StripUnits PresGraphSettings::stripUnits() const {
    switch (units) {
    case static_cast<int>(StripUnits::Seconds):
        return StripUnits::Seconds;
    case static_cast<int>(StripUnits::Distance):
        return StripUnits::Distance;
    default:
        return StripUnits::Scans;
    }
}

PresGraphSettings readPresGraphSettings(const Profile& profile, int graph) {
    const std::string section = pressureGraphSection(graph);
    PresGraphSettings s;
    s.lowPres = pg::kLowPres.read(profile, section);
    s.highPres = pg::kHighPres.read(profile, section);
    s.lowThres = pg::kLowThres.read(profile, section);
    s.highThres = pg::kHighThres.read(profile, section);
    s.enable = pg::kEnable.read(profile, section) == 1;
    s.grid = pg::kGrid.read(profile, section) == 1;
    s.width = pg::kWidth.read(profile, section);
    s.units = pg::kUnits.read(profile, section);
    s.paramIndex = pg::kParamIndex.read(profile, section);
    return s;
}

void writePresGraphSettings(Profile& profile, int graph, const PresGraphSettings& settings) {
    const std::string section = pressureGraphSection(graph);
    pg::kLowPres.write(profile, section, settings.lowPres);
    pg::kHighPres.write(profile, section, settings.highPres);
    pg::kLowThres.write(profile, section, settings.lowThres);
    pg::kHighThres.write(profile, section, settings.highThres);
    pg::kEnable.write(profile, section, settings.enable ? 1 : 0);
    pg::kGrid.write(profile, section, settings.grid ? 1 : 0);
    pg::kWidth.write(profile, section, settings.width);
    pg::kUnits.write(profile, section, settings.units);
    pg::kParamIndex.write(profile, section, settings.paramIndex);
}

void applyPresGraphSettings(const PresGraphSettings& settings, PresGraph& graph) {
    graph.setPressureRange(decimalNumber(settings.lowPres), decimalNumber(settings.highPres));
    graph.setThresholds(decimalNumber(settings.lowThres), decimalNumber(settings.highThres));
    graph.setGrid(settings.grid);
    graph.setViewWidth(StripView::WidthFromSetting(settings.width));
    graph.setUnits(settings.stripUnits());
}

} // namespace halcyx
