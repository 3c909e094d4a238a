#pragma once

#include "core/serial/RingBuf.h"

namespace halcyx {

// The navigation positions that came with a strip chart's samples, newest last: latitude and
// longitude as received (ddmm.mmmm, kept in double precision so that labels show the digits
// the receiver sent) and their hemisphere letters.
class PositionHistory {
public:
    void put(double latitude, char latHemisphere, double longitude, char lonHemisphere) {
        latitudes_.Put(latitude);
        latHemispheres_.Put(latHemisphere);
        longitudes_.Put(longitude);
        lonHemispheres_.Put(lonHemisphere);
    }
    void reset() {
        latitudes_.Reset();
        latHemispheres_.Reset();
        longitudes_.Reset();
        lonHemispheres_.Reset();
    }
    int count() const { return latitudes_.count(); }

    const RingBuf<double>& latitudes() const { return latitudes_; }
    const RingBuf<char>& latHemispheres() const { return latHemispheres_; }
    const RingBuf<double>& longitudes() const { return longitudes_; }
    const RingBuf<char>& lonHemispheres() const { return lonHemispheres_; }

private:
    RingBuf<double> latitudes_{RingBuf<double>::kGraphCapacity};
    RingBuf<char> latHemispheres_{RingBuf<char>::kGraphCapacity};
    RingBuf<double> longitudes_{RingBuf<double>::kGraphCapacity};
    RingBuf<char> lonHemispheres_{RingBuf<char>::kGraphCapacity};
};

} // namespace halcyx
