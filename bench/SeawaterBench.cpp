// Calls per second of each seawater function; the scan parser calls all of them on every scan.
#include "core/seawater/Seawater.h"

#include <benchmark/benchmark.h>

using namespace halcyx;

namespace {

// A typical mid-water scan, nudged on each call so the compiler cannot hoist the work.
constexpr double kC = 38.5, kT = 12.3, kP = 850.0, kS = 34.8, kLatitude = 45.0;
constexpr double kNudge = 1e-9;

template <typename Call> void RunEachScan(benchmark::State& state, Call call) {
    double step = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(call(step));
        step += kNudge;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_Salinity(benchmark::State& state) {
    RunEachScan(state, [](double d) { return SeawaterSalinity(kC + d, kT, kP); });
}
void BM_Atg(benchmark::State& state) {
    RunEachScan(state, [](double d) { return SeawaterAtg(kS + d, kT, kP); });
}
void BM_Theta(benchmark::State& state) {
    RunEachScan(state, [](double d) { return SeawaterTheta(kS + d, kT, kP); });
}
void BM_Sigma(benchmark::State& state) {
    RunEachScan(state, [](double d) { return SeawaterSigma(kS + d, kT, kP); });
}
void BM_Depth(benchmark::State& state) {
    RunEachScan(state, [](double d) { return SeawaterDepth(kP + d, kLatitude); });
}
void BM_SoundSpeed(benchmark::State& state) {
    RunEachScan(state, [](double d) { return SeawaterSoundSpeed(kS + d, kT, kP); });
}
void BM_DcChannelValue(benchmark::State& state) {
    RunEachScan(state, [](double d) { return DcChannelValue(2.5 + d, 0.1f, 1.2f, 0.03f, 0, 0); });
}

} // namespace

BENCHMARK(BM_Salinity);
BENCHMARK(BM_Atg);
BENCHMARK(BM_Theta);
BENCHMARK(BM_Sigma);
BENCHMARK(BM_Depth);
BENCHMARK(BM_SoundSpeed);
BENCHMARK(BM_DcChannelValue);
