#include "core/acquisition/PrintedInfo.h"

namespace halcyx {

std::vector<InfoRow> castInfoRows(const CastInfo& info) {
    return {{"Raw Data Filename:", info.dataFile}, {"Calibration Filename:", info.calibrationFile},
            {"Scans:", info.observations},         {"Frame Length:", info.frameLength},
            {"Parameters:", info.parameters},      {"Cast Date:", info.date},
            {"Start Time:", info.startTime},       {"Start Lat.:", info.startLatitude},
            {"Start Long:", info.startLongitude},  {"End Time:", info.endTime},
            {"End Lat.:", info.endLatitude},       {"End Long.:", info.endLongitude},
            {"Scan Rate:", info.scanRate}};
}

std::vector<InfoRow> loggingInfoRows(const CastInfo& info) {
    return {{"Log Filename:", info.dataFile},
            {"Scans:", info.observations},
            {"Cast Date:", info.date},
            {"Start Time:", info.startTime},
            {"End Time:", info.endTime}};
}

} // namespace halcyx
