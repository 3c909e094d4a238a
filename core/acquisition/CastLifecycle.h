#pragma once

#include "core/acquisition/CastFiles.h"
#include "core/acquisition/ChannelList.h"
#include "core/acquisition/RecordFile.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>

namespace halcyx {

// Cast start: creates the data file at the chosen path and only then fills the cast
// information (paths, date, start time). False, with the information untouched, when the
// file cannot be created.
[[nodiscard]] bool startCastFiles(RecordFile& data, CastInfo& info, const std::string& dataPath,
                                  const std::tm& now);

// What the configuration knows of the instrument that a cast's information records.
struct CastInstrument {
    std::string serialNumber;
    std::optional<int> rateIndex; // the selected sampling rate, when one is
};

// What the end of a cast needs to know about the instrument and the cast.
struct CastSummary {
    ScanLayout layout = ScanLayout::Vexa;
    ChannelMask channelMask = 0;
    std::string serialNumber;
    std::optional<int> rateIndex; // the instrument's sampling rate, when one is selected
    bool downCast = true;
    int scanCount = 0;
    bool navigation = false; // the records carry the navigation appendix
};

// Cast end, in its fixed order: close the data file, close the bottle file, complete the
// cast information, let the operator edit it (the "Cast Information" dialog; whichever
// way it closes, the header follows), write the header file, write the calibration file.
// The first of the data, header and calibration files that could not be written, if any.
[[nodiscard]] std::optional<FileError> endCastFiles(RecordFile& data,
                                                    const std::function<void()>& closeBottleFile,
                                                    CastInfo& info, const CastSummary& cast,
                                                    const DcConversions& dc, const std::tm& now,
                                                    const std::function<void(CastInfo&)>& editInfo);

// Lets the operator edit the cast information (whichever way the dialog closes, the header
// follows), then writes the header file and the calibration file. The first that could not
// be written, if any.
[[nodiscard]] std::optional<FileError>
writeCastHeaderFiles(CastInfo& info, ScanLayout layout, ChannelMask channelMask,
                     const DcConversions& dc, bool navigation,
                     const std::function<void(CastInfo&)>& editInfo);

} // namespace halcyx
