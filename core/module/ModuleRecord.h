#pragma once

#include "core/navigation/NavFix.h"

#include <ctime>
#include <string>
#include <string_view>

namespace halcyx {

// What a module record carries besides its value.
struct ModuleStamp {
    bool navigation = false; // the navigation port is in use
    bool timeStamp = false;  // NAVCOMMPORT/EnableTimeStamp
    bool pcTime = true;      // the time from the computer's clock, else the last GPS time
};

// The value of a module line: its first field (before the first ',', at most 30 characters,
// control characters dropped) as a decimal number; 0 when it does not convert.
double moduleValue(std::string_view line);

// One record of the module data file, without its line end: the value as "%+7.4f", then
// with navigation ", No NAV Data" while no position came yet ('X'), ", NAV Parsing Error"
// for an unreadable one ('R'), else ", lat, N, lon, W"; then with time stamps
// ", hh:mm:ss m-d-y". The fix takes the local time when the stamp uses the PC time.
std::string moduleRecord(double value, NavFix& fix, const ModuleStamp& stamp, const std::tm& local);

} // namespace halcyx
