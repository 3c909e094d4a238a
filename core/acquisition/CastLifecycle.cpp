#include "core/acquisition/CastLifecycle.h"

#include "core/acquisition/CalibrationFile.h"

#include <cerrno>

namespace halcyx {

bool startCastFiles(RecordFile& data, CastInfo& info, const std::string& dataPath,
                    const std::tm& now) {
    if (!data.create(dataPath))
        return false;
    prepareCastInfo(info, castFileNamesFor(dataPath), now);
    return true;
}

std::optional<FileError> endCastFiles(RecordFile& data,
                                      const std::function<void()>& closeBottleFile, CastInfo& info,
                                      const CastSummary& cast, const DcConversions& dc,
                                      const std::tm& now,
                                      const std::function<void(CastInfo&)>& editInfo) {
    data.Close();
    std::optional<FileError> failure = data.failure();
    if (closeBottleFile)
        closeBottleFile();
    completeCastInfo(info, cast.layout, cast.channelMask, cast.serialNumber, cast.rateIndex,
                     cast.downCast, cast.scanCount, now);
    const std::optional<FileError> files =
        writeCastHeaderFiles(info, cast.layout, cast.channelMask, dc, cast.navigation, editInfo);
    return failure ? failure : files;
}

std::optional<FileError> writeCastHeaderFiles(CastInfo& info, ScanLayout layout,
                                              ChannelMask channelMask, const DcConversions& dc,
                                              bool navigation,
                                              const std::function<void(CastInfo&)>& editInfo) {
    if (editInfo)
        editInfo(info);
    std::optional<FileError> failure;
    const auto write = [&failure](const std::string& path, std::string_view text) {
        if (!writeTextFile(path, text) && !failure)
            failure = FileError{path, errno};
    };
    write(info.headerFile, formatCastHeader(info));
    write(info.calibrationFile, formatCalibration(layout, channelMask, dc, navigation));
    return failure;
}

} // namespace halcyx
