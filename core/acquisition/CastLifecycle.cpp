#include "core/acquisition/CastLifecycle.h"

#include "core/acquisition/CalibrationFile.h"

namespace halcyx {

bool StartCastFiles(CastDataFile& data, CastInfo& info, const std::string& dataPath,
                    const std::tm& now) {
    if (!data.Create(dataPath))
        return false;
    PrepareCastInfo(info, CastFileNamesFor(dataPath), now);
    return true;
}

bool EndCastFiles(CastDataFile& data, const std::function<void()>& closeBottleFile, CastInfo& info,
                  const CastSummary& cast, const DcConversions& dc, const std::tm& now,
                  const std::function<void(CastInfo&)>& editInfo) {
    data.Close();
    if (closeBottleFile)
        closeBottleFile();
    CompleteCastInfo(info, cast.layout, cast.channelMask, cast.serialNumber, cast.rateIndex,
                     cast.downCast, cast.scanCount, now);
    if (editInfo)
        editInfo(info);
    const bool header = WriteTextFile(info.headerFile, FormatCastHeader(info));
    const bool calibration =
        WriteTextFile(info.calibrationFile,
                      FormatCalibration(cast.layout, cast.channelMask, dc, cast.navigation));
    return header && calibration;
}

} // namespace halcyx
