#pragma once

#include "core/acquisition/ScanRecord.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace halcyx {

// The three readouts that show a field's text as received.
enum class Readout { Conductivity, Temperature, Pressure };

// Where the parser hands each scan: the acquisition window in the program (readouts,
// profile graph, cast data file, listing, pressure graphs), a recorder in tests, the
// replay tool on the command line. Calls arrive in the order the comments give.
class ScanSink {
public:
    virtual ~ScanSink() = default;

    // While a line is split: the text of the conductivity, temperature or pressure field.
    virtual void showReadout(Readout readout, std::string_view text) = 0;
    // The values of one scan, indices 0 to valueCount - 1, for the profile graph's store
    // and its next point.
    virtual void plotScan(const ScanRecord& record, std::size_t valueCount) = 0;
    // The record line (without line end) for the cast data file and the listing.
    virtual void writeRecord(std::string_view line) = 0;
    // Towed Vexa casts only: the scan for the four pressure graphs, and every tenth scan
    // the request to redraw them.
    virtual void plotPressure(const ScanRecord& record) = 0;
    virtual void redrawPressureGraphs() = 0;
    // At the end of every tick that wrote records: push them to the operating system, so
    // that a crash of the program loses no record already received.
    virtual void flushRecords() = 0;
    // When a tick has used up what it could: the scan count for the "Scans" readout.
    virtual void showScanCount(int scans) = 0;
    // Auto-zoom is due: zoom the profile graph to its data.
    virtual void zoomProfileGraph() = 0;
    // The scan count reached a multiple of the reopen period: close and reopen the cast
    // data file for appending.
    virtual void reopenDataFile() = 0;
};

// Adds the navigation appendix (position, optionally time) to a towed Vexa record line.
class RecordStamp {
public:
    virtual ~RecordStamp() = default;
    virtual void appendTo(std::string& line) = 0;
};

} // namespace halcyx
