// The viewer's load of a 100 MB cast file: the whole load, and the longest slice, which is
// how long the window goes without painting between two progress counts.
#include "core/viewer/DataFileLoader.h"
#include "core/viewer/ViewDataFile.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr std::size_t kFileBytes = 100u << 20;

// A cast file of that size in the temporary folder, removed at exit.
const std::string& castFile() {
    static const std::string path = [] {
        std::string name = (std::filesystem::temp_directory_path() / "halcyx-view-XXXXXX").string();
        const int fd = ::mkstemp(name.data());
        ::close(fd);
        std::ofstream out(name, std::ios::binary);
        char line[96];
        for (std::size_t written = 0, scan = 0; written < kFileBytes; ++scan) {
            const int n = std::snprintf(
                line, sizeof line, "%9.4f, %9.4f, %9.3f, %9.4f, %9.3f, %9.4f\r\n",
                44.9 + scan % 97 * 1e-3, 17.9 - scan % 89 * 1e-3, scan * 0.01, 34.2, 1514.8, 24.1);
            out.write(line, n);
            written += static_cast<std::size_t>(n);
        }
        std::atexit([] { std::filesystem::remove(path); });
        return name;
    }();
    return path;
}

void BM_ViewerLoad100MB(benchmark::State& state) {
    const std::string& path = castFile();
    double longestSliceMs = 0;
    std::size_t lines = 0;
    for (auto _ : state) {
        halcyx::DataFileLoader loader;
        if (!loader.open(path, [](std::size_t) {})) {
            state.SkipWithError("cannot open the cast file");
            return;
        }
        for (bool done = false; !done;) {
            const auto start = std::chrono::steady_clock::now();
            done = loader.readSlice(halcyx::kViewSliceBytes);
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            longestSliceMs = std::max(longestSliceMs, took.count());
        }
        lines = loader.take().size();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["longest_slice_ms"] = longestSliceMs;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(BM_ViewerLoad100MB)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
