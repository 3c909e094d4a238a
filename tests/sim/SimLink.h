#pragma once

// The raw line over a device a test made itself, opened at 9600 baud. Tests that let
// tests/support/SimRig.h make the device for them need none of this.

#include "tests/support/SimLine.h"

namespace halcyx::sim::test {

struct SimLink : halcyx::test::SimLine {
    SimLink(Clock& clock, SimDevice& device) : SimLine(clock, device) {
        device.open("/dev/sim");
        device.setLine(9600);
    }
};

} // namespace halcyx::sim::test
