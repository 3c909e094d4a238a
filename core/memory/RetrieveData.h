#pragma once

#include "core/acquisition/CastFiles.h"
#include "core/memory/DownloadFiles.h"
#include "core/memory/MemoryDownload.h"

#include <optional>
#include <string_view>

namespace halcyx {

class CommandLayer;
class DCChannelTable;
struct InstrumentRecord;
struct InstrumentSettings;

// The dialogs of a retrieval as the command sees them. The program shows the Qt dialogs;
// tests script them.
class DownloadDialogRunner {
public:
    virtual ~DownloadDialogRunner() = default;
    // "Retrieve Memory" over the download; true when it closed after a completed download.
    virtual bool runDownload(MemoryDownload& download) = 0;
    // "Deployment Information" of a Tavrin P; the header follows whichever way it closes.
    virtual void editDeploymentInfo(DeploymentInfo& info) = 0;
    // The cast information before the header file is written; may leave it as it is.
    virtual void editCastInfo(CastInfo& info) = 0;
};

// What the configuration window hands to the Retrieve Data command.
struct RetrieveState {
    InstrumentRecord& instrument;
    InstrumentSettings& settings;
    DCChannelTable& dcTable;
    CastInfo& castInfo;
    DeploymentInfo& deployment;
};

// The bytes per scan in the answer to "RDM": the number after the separator (',' for a
// Vexa, ' ' for a Tavrin) that follows the model's last channel ("DC6=", "DC8=", "CH3=").
// nullopt when it is missing or zero.
std::optional<int> bytesPerScanFromRdm(std::string_view answer, ProductCode product);
// The logged bytes in the answer to "RDPTR": the number its first characters make, line
// ends and blanks left out.
long loggedBytesFromRdptr(std::string_view answer);

enum class RetrieveOutcome {
    NotStarted, // kept deployed, or no open mode
    Failed,     // a step failed and was reported
    Cancelled,  // the download dialog closed without a completed download
    Downloaded, // the data file and, but for a Tavrin P, its header and calibration files
};

// "&Retrieve Data": stops logging, reads the bytes per scan and the logged bytes, resets
// the read pointer and runs the download dialog; after a completed download of any model
// but the Tavrin P, writes the cast header and calibration files.
RetrieveOutcome RetrieveData(CommandLayer& layer, RetrieveState state,
                             DownloadDialogRunner& dialogs, MemoryDownload::LocalTime localTime);

} // namespace halcyx
