// Wall time of a memory download from halcyx-sim over a pseudo-terminal at 9600 baud,
// against the time the bytes need on the line plus the pauses the download must take
// (DLEN and BDMP written slowly, the waits after them, the pressure range query). Reports
// the ratio of the two; target: at most 1.05.

#include "core/instrument/Answer.h"
#include "core/instrument/CommandLayer.h"
#include "core/instrument/DcChannelTable.h"
#include "core/memory/DumpPlan.h"
#include "core/memory/MemoryDownload.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"
#include "core/serial/PosixSerialDevice.h"
#include "tests/support/SimProcess.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

using namespace halcyx;

constexpr double kBitsPerByte = 10; // start, eight data bits, stop
constexpr double kBaud = 9600;      // [bit/s]
constexpr std::uint32_t kDumpCharMs = 10;
constexpr std::uint32_t kVexaDumpStartMs = 700;
constexpr std::uint32_t kRangeQueryMs = 200;

// An operator who is never asked anything but the closing message.
class QuietOperator : public Operator {
public:
    void message(const std::string& text, const std::string&, Icon) override { last = text; }
    bool askYesNo(const std::string&, const std::string&, Icon) override { return false; }
    std::optional<std::string> input(const std::string&, const std::string&, const std::string&,
                                     std::size_t) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseFile(const FileRequest&) override { return std::nullopt; }
    void progressShow() override {}
    void progressLine1(const std::string&) override {}
    void progressLine2(const std::string&) override {}
    void progressClose() override {}
    void setWaitCursor(bool) override {}
    void beep() override {}
    void showHelp(int) override {}
    std::string last;
};

// The channels "RDM" reports on: "CH1=ON,...,DC8=OFF".
ChannelMask maskFromRdm(const std::string& answer) {
    ChannelMask mask = 0;
    for (int n = 1; n <= kMaxPrimaryChannels; ++n)
        if (contains(answer, "CH" + std::to_string(n) + "=ON"))
            mask |= primaryChannelBit(n);
    for (int n = 1; n <= kMaxDcChannels; ++n)
        if (contains(answer, "DC" + std::to_string(n) + "=ON"))
            mask |= dcChannelBit(n);
    return mask;
}

// The pauses a download of this plan takes besides reading [ms].
double pausesMs(const DumpPlan& plan, int bytesPerScan, const CommandDelays& delays, bool vexa) {
    const auto dlenMs = [&](long scans) {
        return double(("DLEN=" + std::to_string(scans) + "\r").size() * delays.characterMs +
                      delays.responseMs);
    };
    double ms = dlenMs(plan.chunkScans());
    long current = plan.chunkScans();
    long received = 0;
    for (long chunk = 0; chunk < plan.chunkCount(); ++chunk) {
        const long scans = plan.nextChunkScans(received, current);
        if (scans != current)
            ms += delays.responseMs + dlenMs(scans);
        current = scans;
        received += current * bytesPerScan;
        ms += 5 * kDumpCharMs + (vexa ? kVexaDumpStartMs : delays.responseMs);
    }
    if (vexa) // "A1003\r" and its answer
        ms += 6 * delays.characterMs + kRangeQueryMs + delays.responseMs;
    return ms;
}

void Download(benchmark::State& state, const char* model, int scans) {
    const bool vexa = std::string(model) == "vexa3";
    test::SimProcess sim(HALCYX_SIM_PROGRAM,
                         {"--model", model, "--preload", std::to_string(scans)});
    const std::string line = sim.line();
    const std::string path = line.substr(line.find('/'));
    QuietOperator op;
    SteadyClock clock;
    PosixSerialDevice device;
    CommPort port(device, clock, op, [&path](int) { return path; });
    if (!port.OpenPort(1) || !port.SetBaud(9600)) {
        state.SkipWithError("cannot open the simulator's terminal");
        return;
    }
    CommandLayer layer(port, op);
    layer.purgeReceive();
    layer.write("RDM\r");
    const std::string rdm = layer.readAnswer(300, 2 * layer.delays().responseMs);
    const int bytesPerScan = std::atoi(rdm.c_str() + rdm.find(vexa ? "DC8=" : "CH3=") + 8);
    const DownloadRequest request{vexa ? ProductCode::Vexa3 : ProductCode::TavrinCT,
                                  maskFromRdm(rdm),
                                  bytesPerScan,
                                  long(scans) * bytesPerScan,
                                  vexa, // the simulated Vexa 3's firmware keeps scaled memory
                                  "1"};
    const DumpPlan plan(request.totalBytes, bytesPerScan);
    std::string folder = (std::filesystem::temp_directory_path() / "halcyx-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        state.SkipWithError("cannot make a folder for the files");
        return;
    }
    const std::filesystem::path data = std::filesystem::path(folder) / "bench";
    DCChannelTable dcTable;
    CastInfo castInfo;
    DeploymentInfo deployment;
    for (auto _ : state) {
        MemoryDownload download(layer, request, dcTable, castInfo, deployment, {},
                                [] { return std::tm{}; });
        const auto start = std::chrono::steady_clock::now();
        const auto result = download.download(data.string());
        const double wallMs =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        if (result != MemoryDownload::Result::Completed) {
            state.SkipWithError(op.last.c_str());
            break;
        }
        const double lineMs = double(std::filesystem::file_size(data.string() + ".bin")) *
                              kBitsPerByte / kBaud * 1000.0;
        const double expectedMs = lineMs + pausesMs(plan, bytesPerScan, layer.delays(), vexa);
        state.SetIterationTime(wallMs / 1000.0);
        state.counters["line_ms"] = lineMs;
        state.counters["expected_ms"] = expectedMs;
        state.counters["wall_ms"] = wallMs;
        state.counters["ratio"] = wallMs / expectedMs;
    }
    std::filesystem::remove_all(folder);
}

// Two chunks and the one extra scan of the last.
BENCHMARK_CAPTURE(Download, Vexa3, "vexa3", 1200)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Download, TavrinCT, "ct", 3000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
