#include "core/module/ModGraphSettings.h"

#include "core/base/DecimalNumber.h"
#include "core/instrument/Format.h"
#include "core/settings/Catalogue.h"

namespace halcyx {

namespace {
constexpr int kWidestSetting = 2;
} // namespace

ModGraphSettings ModGraphSettings::read(const Profile& profile) {
    ModGraphSettings s;
    s.low = kModGraphLow.read(profile);
    s.high = kModGraphHigh.read(profile);
    s.show = kModGraphEnable.read(profile) == 1;
    s.grid = kModGraphGrid.read(profile) == 1;
    const int width = kModGraphWidth.read(profile);
    s.width = width == 0 || width == 1 ? width : kWidestSetting;
    s.units = kModGraphUnits.read(profile) == 1 ? StripUnits::Seconds : StripUnits::Scans;
    return s;
}

void ModGraphSettings::write(Profile& profile) const {
    kModGraphLow.write(profile, low);
    kModGraphHigh.write(profile, high);
    kModGraphEnable.write(profile, show ? 1 : 0);
    kModGraphGrid.write(profile, grid ? 1 : 0);
    kModGraphWidth.write(profile, width);
    kModGraphUnits.write(profile, units == StripUnits::Seconds ? 1 : 0);
}

void ModGraphSettings::applyTo(ModGraphData& graph) const {
    graph.setRange(decimalNumber(low), decimalNumber(high));
    graph.setGrid(grid);
    graph.setViewWidth(StripView::WidthFromSetting(width));
    graph.setUnits(units);
}

std::string rangeText(double value) {
    return formatText("%.4f", value);
}

} // namespace halcyx
