#pragma once

// A scan subscriber that keeps every call, in order, for the acquisition tests.

#include "core/acquisition/CastSession.h"

#include <string>
#include <vector>

namespace halcyx::test {

class RecordingSubscriber : public ScanSubscriber {
public:
    // Every call as a short word (with its argument where it has one), in call order.
    std::vector<std::string> calls;
    std::vector<ScanRecord> scans;
    std::vector<std::string> records;
    std::vector<std::string> readouts; // "C:text", "T:text", "P:text"

    void onReadout(Readout readout, std::string_view text) override {
        const char* tag = readout == Readout::Conductivity  ? "C:"
                          : readout == Readout::Temperature ? "T:"
                                                            : "P:";
        readouts.push_back(tag + std::string(text));
    }
    void onScan(const ScanRecord& record, std::size_t valueCount) override {
        scans.push_back(record);
        calls.push_back("plot" + std::to_string(valueCount));
    }
    void onRecord(std::string_view line) override {
        records.emplace_back(line);
        calls.push_back("record");
    }
    void onPressurePoint(const ScanRecord&) override { calls.push_back("pressure"); }
    void onPressureRedraw() override { calls.push_back("redraw"); }
    void onScanCount(int scans) override { calls.push_back("count" + std::to_string(scans)); }
    void onZoom() override { calls.push_back("zoom"); }
};

} // namespace halcyx::test
