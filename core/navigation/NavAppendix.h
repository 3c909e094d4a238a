#pragma once

#include "core/navigation/NavFix.h"

#include <ctime>
#include <string>

namespace halcyx {

// What the navigation appendix of a towed record carries besides the position.
struct TimeStampChoice {
    bool enabled = false; // append a time and date
    bool pcTime = true;   // from the computer's clock (else the last GPS time and date)
};

// Appends ", lat, N, lon, W" and, when time stamps are enabled, ", hh:mm:ss m-d-y" to a
// record line. A latitude letter 'X' or 'R' means there is no position: the fix is set to
// 0 with both letters 'X' first. With PC time the fix's time and date are first taken
// from local (the computer's local clock).
void appendNavigation(std::string& line, NavFix& fix, TimeStampChoice stamp, const std::tm& local);

// Appends ", hh:mm:ss m-d-y": with PC time from local, which is first copied into the fix,
// else the fix's last GPS time and date.
void appendTimeStamp(std::string& line, NavFix& fix, bool pcTime, const std::tm& local);

} // namespace halcyx
