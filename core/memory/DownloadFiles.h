#pragma once

#include "core/acquisition/CastFiles.h"
#include "core/acquisition/ChannelList.h"
#include "core/acquisition/RecordFile.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace halcyx {

// What the "Deployment Information" dialog holds of a Tavrin P mooring: the head of its
// downloaded data file. Values typed once are offered again.
struct DeploymentInfo {
    // Field sizes [characters, terminator included]: editors accept one character less.
    static constexpr std::size_t kNumberSize = 10;
    static constexpr std::size_t kPlaceSize = 50; // mooring, position
    static constexpr std::size_t kFieldSize = 20; // latitude, longitude, depth, time, date
    static constexpr std::size_t kSerialSize = 10;

    std::string number, mooring, position, latitude, longitude, depth, time, date, serialNumber;
};

// Before the dialog opens: time and date from the local clock, and the serial number.
void prepareDeploymentInfo(DeploymentInfo& info, const std::tm& now,
                           const std::string& serialNumber);

// The head of a Tavrin P data file, lines ended by '\n': the deployment information, a
// blank line and the column headings of the fields the channel mask has on.
std::string formatDeploymentHeader(const DeploymentInfo& info, ChannelMask channelMask);

// Writes text as records, one for each line it ends by '\n'.
void writeLines(RecordFile& file, std::string_view text);

// What the files after a download need to know of the instrument and the dump.
struct DownloadSummary {
    ScanLayout layout = ScanLayout::Vexa;
    ChannelMask channelMask = 0;
    int bytesPerScan = 0; // [bytes]
    std::string serialNumber;
    std::optional<int> rateIndex; // the Vexa's sampling rate, when one is selected
    long scans = 0;               // logged scans: total bytes / bytes per scan
};

// After a completed download of any model but the Tavrin P: completes the cast
// information (parameters, frame length = bytes per scan, instrument, scan rate, direction
// down, end time, observations), lets the operator edit it, and writes the header and
// calibration files. The first that could not be written, if any.
[[nodiscard]] std::optional<FileError>
writeDownloadFiles(CastInfo& info, const DownloadSummary& download, const DcConversions& dc,
                   const std::tm& now, const std::function<void(CastInfo&)>& editInfo = {});

} // namespace halcyx
