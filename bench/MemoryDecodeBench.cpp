// Megabytes per second of memory dump through the decoder, for every memory layout, on a
// dump of a simulated profile fed in the port's 8168-byte reads: the lines alone, and the
// lines written to the download's data file. Target: over 100 MB/s.

#include "core/memory/MemoryDecoder.h"
#include "sim/MemoryDump.h"
#include "sim/Ocean.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace halcyx;
namespace md = sim::memory_dump;

constexpr std::size_t kDumpBytes = 4 * 1024 * 1024;
constexpr std::size_t kReadBytes = 8168;  // the most one port read delivers
constexpr ChannelMask kVexaMask = 0xFF3F; // every channel of a Vexa 3
const md::VexaChannels kVexaOn{{true, true, true, true, true, true},
                               {true, true, true, true, true, true, true, true}};

// A profile logged at 4 scans a second, down to 200 dbar and up again.
std::string Dump(const MemoryLayout& layout) {
    std::string dump;
    for (int i = 0; dump.size() < kDumpBytes; ++i) {
        const double seconds = i * 0.25;
        sim::Sample s = sim::Ocean::water(sim::Ocean::castPressure(seconds));
        s.barometer = sim::Ocean::barometer(seconds);
        s.clockS = 1796558400 + i / 4;
        if (layout.format == MemoryFormat::TavrinP)
            s.pressure *= 0.4; // within the Tavrin P's counts
        switch (layout.format) {
        case MemoryFormat::VexaScaled:
            dump += md::vexaScaledRecord(s, kVexaOn, layout.pressureDivisor);
            break;
        case MemoryFormat::VexaFloat:
            dump += md::vexaFloatRecord(s, kVexaOn);
            break;
        case MemoryFormat::TavrinCT:
            dump += md::tavrinCtRecord(s, true);
            break;
        case MemoryFormat::TavrinP:
            dump += md::tavrinPRecord(s, true, true);
            break;
        }
    }
    return dump;
}

// Takes the lines and lets them go.
class Discard : public DecodedLineSink {
public:
    void onLine(std::string_view line) override { benchmark::DoNotOptimize(line.data()); }
};

void Decode(benchmark::State& state, MemoryLayout layout, bool toFile) {
    const std::string dump = Dump(layout);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(dump.data()),
                                              dump.size());
    RecordFile file;
    if (!file.create("/dev/null")) {
        state.SkipWithError("cannot open /dev/null");
        return;
    }
    for (auto _ : state) {
        RecordFileSink fileSink(file);
        Discard discard;
        DecodedLineSink& sink = toFile ? static_cast<DecodedLineSink&>(fileSink) : discard;
        MemoryDecoder decoder(layout, long(dump.size()) / layout.bytesPerScan, sink);
        for (std::size_t at = 0; at < bytes.size(); at += kReadBytes)
            decoder.feed(bytes.subspan(at, std::min(kReadBytes, bytes.size() - at)));
        benchmark::DoNotOptimize(decoder.scansWritten());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * dump.size()));
}

const MemoryLayout kScaledVexa{MemoryFormat::VexaScaled, kVexaMask, 30, 60};
const MemoryLayout kFloatVexa{MemoryFormat::VexaFloat, kVexaMask, 43};
const MemoryLayout kTavrinCT{MemoryFormat::TavrinCT, 0x7, 8};
const MemoryLayout kTavrinP{MemoryFormat::TavrinP, 0x7, 8};

BENCHMARK_CAPTURE(Decode, ScaledVexa, kScaledVexa, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, FloatVexa, kFloatVexa, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, TavrinCT, kTavrinCT, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, TavrinP, kTavrinP, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, ScaledVexaToFile, kScaledVexa, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, FloatVexaToFile, kFloatVexa, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, TavrinCTToFile, kTavrinCT, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, TavrinPToFile, kTavrinP, true)->Unit(benchmark::kMillisecond);

} // namespace
