#pragma once

#include <cstdint>

namespace halcyx {

// The navigation settings record, shared by the setup dialog and the window that owns the
// navigation port.
struct NavSettings {
    bool enabled = false;
    int port = 2;              // COM 1..4; 0 when none is selected
    std::uint32_t baud = 9600; // [baud]; 0 when none is selected
    bool timeStamp = false;    // append a time to each record
    bool pcTime = true;        // the time comes from the computer's clock
    bool gpsTime = false;      // the time comes from the GPS sentences
    bool operator==(const NavSettings&) const = default;
};

// The "NAV Communications Setup" dialog: it edits the record; true for OK.
class NavPortDialog {
public:
    virtual ~NavPortDialog() = default;
    virtual bool edit(NavSettings& settings) = 0;
};

} // namespace halcyx
