#include "core/acquisition/CastLifecycle.h"

#include "core/acquisition/CalibrationFile.h"

namespace halcyx {

bool startCastFiles(CastDataFile& data, CastInfo& info, const std::string& dataPath,
                    const std::tm& now) {
    if (!data.create(dataPath))
        return false;
    prepareCastInfo(info, castFileNamesFor(dataPath), now);
    return true;
}

bool endCastFiles(CastDataFile& data, const std::function<void()>& closeBottleFile, CastInfo& info,
                  const CastSummary& cast, const DcConversions& dc, const std::tm& now,
                  const std::function<void(CastInfo&)>& editInfo) {
    data.Close();
    if (closeBottleFile)
        closeBottleFile();
    completeCastInfo(info, cast.layout, cast.channelMask, cast.serialNumber, cast.rateIndex,
                     cast.downCast, cast.scanCount, now);
    if (editInfo)
        editInfo(info);
    const bool header = writeTextFile(info.headerFile, formatCastHeader(info));
    const bool calibration =
        writeTextFile(info.calibrationFile,
                      formatCalibration(cast.layout, cast.channelMask, dc, cast.navigation));
    return header && calibration;
}

} // namespace halcyx
