#include "core/memory/DownloadFiles.h"

#include "core/acquisition/CastLifecycle.h"

#include <array>
#include <cstdio>

namespace halcyx {
namespace {

constexpr std::size_t kStampChars = 32;

// The Tavrin P fields: bit 0 pressure, bit 1 time, bit 2 barometer, each a 12-character
// column heading.
constexpr std::array<std::string_view, 3> kColumnHeadings = {"    PRES    ", " TIME  DATE ",
                                                             "  BAROMETER "};

} // namespace

void prepareDeploymentInfo(DeploymentInfo& info, const std::tm& now,
                           const std::string& serialNumber) {
    char text[kStampChars];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.tm_hour, now.tm_min, now.tm_sec);
    info.time = text;
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", now.tm_mon + 1, now.tm_mday,
                  now.tm_year + 1900);
    info.date = text;
    info.serialNumber = serialNumber.substr(0, DeploymentInfo::kSerialSize - 1);
}

std::string formatDeploymentHeader(const DeploymentInfo& info, ChannelMask channelMask) {
    std::string text = "Deploy Number: " + info.number + "\n      Mooring: " + info.mooring +
                       "\n     Position: " + info.position + "\n     Latitude: " + info.latitude +
                       "\n    Longitude: " + info.longitude + "\n        Depth: " + info.depth +
                       "\n         Time: " + info.time + "\n         Date: " + info.date +
                       "\nSerial Number: " + info.serialNumber + "\n\n";
    for (std::size_t n = 0; n < kColumnHeadings.size(); ++n)
        if (mask::has(channelMask, primaryChannelBit(static_cast<int>(n) + 1)))
            text += kColumnHeadings[n];
    return text + "\n";
}

void writeLines(RecordFile& file, std::string_view text) {
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        file.writeRecord(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
}

std::optional<FileError> writeDownloadFiles(CastInfo& info, const DownloadSummary& download,
                                            const DcConversions& dc, const std::tm& now,
                                            const std::function<void(CastInfo&)>& editInfo) {
    completeCastInfo(info, download.layout, download.channelMask, download.serialNumber,
                     download.rateIndex, true, static_cast<int>(download.scans), now);
    info.frameLength =
        std::to_string(download.bytesPerScan).substr(0, CastInfo::kFrameLengthSize - 1);
    return writeCastHeaderFiles(info, download.layout, download.channelMask, dc, false, editInfo);
}

} // namespace halcyx
