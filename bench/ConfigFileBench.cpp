// Opening and saving a 4 MB configuration file: a normal layout behind a long note the
// operator kept in it. Target: well under a second each, so the window never freezes.

#include "core/instrument/ConfigFiles.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using namespace halcyx;
namespace fs = std::filesystem;

constexpr std::size_t kFileBytes = 4 * 1024 * 1024;

struct Window {
    InstrumentRecord instrument;
    InstrumentSettings settings;
    DCChannelTable dc;
    ConfigurationState state() { return {instrument, settings, dc}; }
};

// A Vexa 3 file of about kFileBytes whose layout follows a note of many lines, so every
// key is looked up past them.
fs::path bigConfigurationFile() {
    const fs::path file =
        fs::temp_directory_path() / ("halcyx-bench-" + std::to_string(::getpid()) + ".cfg");
    {
        std::ofstream out(file, std::ios::binary);
        out << "[NOTES]\r\n";
        for (std::size_t n = 0, written = 0; written < kFileBytes; ++n) {
            char line[96];
            const int length = std::snprintf(
                line, sizeof line, "Line%zu=station %zu, cast taken in calm water\r\n", n, n % 400);
            out.write(line, length);
            written += static_cast<std::size_t>(length);
        }
    }
    Window w;
    w.instrument.product = ProductCode::Vexa3;
    if (!writeConfiguration(file, w.state()))
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
    return file;
}

void BM_OpenFourMegabyteConfiguration(benchmark::State& state) {
    const fs::path file = bigConfigurationFile();
    Window w;
    for (auto _ : state)
        benchmark::DoNotOptimize(loadConfiguration(file, w.state()));
    fs::remove(file);
}
BENCHMARK(BM_OpenFourMegabyteConfiguration)->Unit(benchmark::kMillisecond);

void BM_SaveOverFourMegabyteConfiguration(benchmark::State& state) {
    const fs::path file = bigConfigurationFile();
    Window w;
    w.instrument.product = ProductCode::Vexa3;
    for (auto _ : state)
        benchmark::DoNotOptimize(writeConfiguration(file, w.state()));
    fs::remove(file);
}
BENCHMARK(BM_SaveOverFourMegabyteConfiguration)->Unit(benchmark::kMillisecond);

} // namespace
