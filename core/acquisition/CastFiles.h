#pragma once

#include "core/base/ModelTraits.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace halcyx {

// The cast information: what the "Cast Information" dialog edits, the header file shows
// and the printouts repeat. One record lives for the whole program run, so values typed
// for one cast are offered again for the next.
struct CastInfo {
    // Field sizes [characters, terminator included]: editors accept one character less.
    static constexpr std::size_t kNameSize = 50; // vessel, cruise, station, operator, instrument
    static constexpr std::size_t kDirectionSize = 10;
    static constexpr std::size_t kPathSize = 100; // data, calibration and header file
    static constexpr std::size_t kDateSize = 20;
    static constexpr std::size_t kDepthSize = 15;
    static constexpr std::size_t kFrameLengthSize = 10;
    static constexpr std::size_t kParametersSize = 5;
    static constexpr std::size_t kObservationsSize = 20;
    static constexpr std::size_t kShortSize = 15; // scan rate, times, positions, lag

    std::string vessel, cruise, station, operatorName, instrument;
    std::string direction;
    // The paths are kept whole, whatever their length: the files are written under them.
    std::string dataFile, calibrationFile, headerFile;
    std::string date, depth, frameLength, parameters, observations, scanRate;
    std::string startTime, startLatitude, startLongitude;
    std::string endTime, endLatitude, endLongitude;
    std::string lagTime;
};

// The family of files of one cast, all named after the data file the operator chose.
struct CastFileNames {
    std::string data;
    std::string calibration; // extension "C00"
    std::string header;      // extension "Hdr"
    std::string bottle;      // extension "BTL"
};

// path with the extension of its file name (the text after the last '.' that follows the
// last '/') replaced; a file name without a '.' gets "." and the extension appended.
std::string replaceExtension(std::string_view path, std::string_view extension);
CastFileNames castFileNamesFor(std::string_view dataPath);

// Cast start: the three paths, the date and the start time from the local clock.
void prepareCastInfo(CastInfo& info, const CastFileNames& names, const std::tm& now);

// The sampling rate the instrument was set to, for the "Scan Rate" field.
// rateIndex 0 to 4 gives "1.83 Hz" ... "4.50 Hz"; nullopt (no rate selected) keeps current.
std::string scanRateText(ScanLayout layout, std::optional<int> rateIndex,
                         const std::string& current);

// Cast end, before the dialog: "# of Parameters", "Frame Length", "Instrument #",
// "Scan Rate", then "Direction", "End Time" and "Observations".
void completeCastInfo(CastInfo& info, ScanLayout layout, ChannelMask channelMask,
                      const std::string& serialNumber, std::optional<int> rateIndex, bool downCast,
                      int scanCount, const std::tm& now);

// The header file's text, lines ended by '\n' (written with CR LF).
std::string formatCastHeader(const CastInfo& info);

// Creates (or replaces) path with text whose '\n' line ends become CR LF. False when the
// file could not be written completely.
[[nodiscard]] bool writeTextFile(const std::string& path, std::string_view text);

} // namespace halcyx
