// Records per second through the data path: line cutting, field splitting, DC polynomials,
// derived seawater quantities and the record write. Target: at least one million records
// per second on one core.

#include "core/acquisition/CastFiles.h"
#include "core/acquisition/LineCutter.h"
#include "core/acquisition/ScanParser.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

using namespace halcyx;

// Every channel of a Vexa 3: C, T, P, time, salinity, sound velocity, DC1 to DC8.
constexpr std::uint32_t kAllChannels = 0xFF3F;

std::string VexaLine(int n) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "%8.4f,%8.4f,%8.3f,12:34:%02d,%7.4f,%8.3f,%6.4f,%6.4f,%6.4f,%6.4f,%6.4f,%6.4f,"
                  "%6.4f,%6.4f",
                  35.1 + n * 1e-4, 12.3 - n * 1e-4, 100.0 + n * 0.01, n % 60, 34.5, 1502.123, 1.1,
                  2.2, 3.3, 4.4, 0.5, 0.6, 0.7, 0.8);
    return line;
}

// About one tick's worth of bytes: whole lines up to the most a tick takes.
std::string TickOfLines(int first) {
    std::string bytes;
    for (int n = first;; ++n) {
        const std::string line = VexaLine(n) + "\r\n";
        if (bytes.size() + line.size() > ScanParser::kMaxBytesPerTick)
            return bytes;
        bytes += line;
    }
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

class NullDisplaySink : public ScanSink {
public:
    explicit NullDisplaySink(CastDataFile& file) : file_(file) {}
    void showReadout(Readout, std::string_view) override {}
    void plotScan(const ScanRecord& record, std::size_t) override {
        benchmark::DoNotOptimize(record.values.data());
    }
    void writeRecord(std::string_view line) override {
        file_.writeRecord(line);
        ++records;
    }
    void plotPressure(const ScanRecord&) override {}
    void redrawPressureGraphs() override {}
    void flushRecords() override { file_.flush(); }
    void showScanCount(int) override {}
    void zoomProfileGraph() override {}
    void reopenDataFile() override {}

    std::int64_t records = 0;

private:
    CastDataFile& file_;
};

void BM_ScanToRecord(benchmark::State& state) {
    CastDataFile file;
    if (!file.create("/dev/null")) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    ScanParser parser(ScanLayout::Vexa, kAllChannels, DCChannelTable());
    NullDisplaySink sink(file);
    parser.startCast();
    const std::string tick = TickOfLines(0);
    parser.tick(Bytes(std::string(250, 'z') + "\r\n" + tick), sink); // synchronise
    sink.records = 0;
    for (auto _ : state)
        parser.tick(Bytes(tick), sink);
    state.SetItemsProcessed(sink.records);
}
BENCHMARK(BM_ScanToRecord);

void BM_LineCutting(benchmark::State& state) {
    LineCutter cutter(LineCutter::forLayout(ScanLayout::Vexa));
    Fifo queue;
    const std::string tick = TickOfLines(0);
    const std::string start = std::string(250, 'z') + "\r\n" + tick;
    for (char c : start)
        queue.Put(static_cast<std::uint8_t>(c));
    std::int64_t lines = 0;
    for (auto _ : state) {
        for (char c : tick)
            queue.Put(static_cast<std::uint8_t>(c));
        while (cutter.next(queue) == LineCutter::Step::Line) {
            benchmark::DoNotOptimize(cutter.line().data());
            ++lines;
        }
    }
    state.SetItemsProcessed(lines);
}
BENCHMARK(BM_LineCutting);

} // namespace
