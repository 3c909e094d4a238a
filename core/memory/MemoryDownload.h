#pragma once

#include "core/acquisition/CastFiles.h"
#include "core/base/ChannelMask.h"
#include "core/base/Product.h"
#include "core/memory/DownloadFiles.h"
#include "core/memory/MemoryLayout.h"

#include <ctime>
#include <functional>
#include <string>

namespace halcyx {

class CommandLayer;
class DCChannelTable;

// What the Retrieve Data command found out for the download.
struct DownloadRequest {
    ProductCode product = ProductCode::None;
    ChannelMask channelMask = 0;
    int bytesPerScan = 0; // [bytes]
    long totalBytes = 0;  // logged [bytes]
    bool scaledMemory = false;
    std::string serialNumber;
};

// What the "Retrieve Memory" dialog does, without the dialog: it keeps the scans to read,
// the DC coefficients and the pressure divisor, and on "Download" fetches the memory into
// the data file (decoded, one line per scan) and, beside it, the bytes as received
// (extension "bin"). Every failure is reported to the operator and leaves the dialog open.
class MemoryDownload {
public:
    using LocalTime = std::function<std::tm()>;
    using EditDeployment = std::function<void(DeploymentInfo&)>;

    enum class Result {
        Stayed,    // nothing fetched (a question answered No, no file name, no file)
        Stopped,   // the dump stopped part-way; what arrived is kept in the files
        Completed, // every scan fetched and written
    };

    MemoryDownload(CommandLayer& layer, const DownloadRequest& request, DCChannelTable& dcTable,
                   CastInfo& castInfo, DeploymentInfo& deployment, EditDeployment editDeployment,
                   LocalTime localTime);

    // Set-up of the dialog: clears what the port has received.
    void setUp();
    // The scans the dialog shows: a Tavrin's last scan is never whole and is not counted.
    long scansShown() const { return scansShown_; }
    long totalBytes() const { return totalBytes_; }
    const DownloadRequest& request() const { return request_; }
    // "DC Channels" is for a Vexa with a DC channel on.
    bool dcChannelsEnabled() const;

    // "Change": after a warning, the operator's count of scans to read.
    void changeScans();
    // "DC Channels": the DC names and coefficients from a configuration file.
    void loadDcChannels();
    // "Download" into the data file named fileName (its extension becomes "Dat").
    Result download(const std::string& fileName);

private:
    [[nodiscard]] bool readPressureDivisor();
    [[nodiscard]] bool chooseFiles(const std::string& fileName);
    Result fetch(const std::tm& now);

    CommandLayer& layer_;
    DownloadRequest request_;
    DCChannelTable& dcTable_;
    CastInfo& castInfo_;
    DeploymentInfo& deployment_;
    EditDeployment editDeployment_;
    LocalTime localTime_;
    MemoryFormat format_;
    long totalBytes_;
    long scansShown_;
    bool dcLoaded_ = false;
    int pressureDivisor_ = 0; // [counts/dbar]
    CastFileNames files_;
};

} // namespace halcyx
