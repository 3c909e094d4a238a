#pragma once

#include "core/acquisition/ChannelList.h"
#include "core/base/ModelTraits.h"

#include <cstdint>
#include <string>

namespace halcyx {

// The calibration file of a cast: a fixed-layout description of the record layout and of
// every channel's conversion, lines ended by '\n' (written with CR LF). navigation says
// whether the Vexa records carry the navigation appendix.
std::string formatCalibration(ScanLayout layout, ChannelMask channelMask, const DcConversions& dc,
                              bool navigation);

} // namespace halcyx
