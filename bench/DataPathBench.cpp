// Records per second through the data path: line cutting, field splitting, DC polynomials,
// derived seawater quantities and the record write, and the replay tool end to end on a
// generated 1,000,000-scan Vexa 3 stream beside the time it takes only to read that file.
// Target: at least one million records per second on one core for the replay. One live tick
// of the acquisition window (a full tick's 2000 bytes cut, decoded, written and flushed to a
// real file, the listing and a display fed) must cost far less than the 250 ms tick period.

#include "cli/Commands.h"
#include "core/acquisition/CastSession.h"
#include "core/acquisition/LineCutter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using namespace halcyx;
namespace fs = std::filesystem;

// Every channel of a Vexa 3: C, T, P, time, salinity, sound velocity, DC1 to DC8.
constexpr std::uint32_t kAllChannels = 0xFF3F;
// The common profile: conductivity, temperature, pressure.
constexpr std::uint32_t kCtp = 0x0007;
constexpr int kReplayScans = 1'000'000;
constexpr std::size_t kReadBlock = 64 * 1024; // [bytes]

std::string VexaLine(int n, std::uint32_t channels) {
    char line[160];
    if (channels == kCtp) {
        std::snprintf(line, sizeof line, "%8.4f,%8.4f,%8.3f", 35.1 + n * 1e-5, 12.3 - n * 1e-5,
                      100.0 + n * 0.001);
        return line;
    }
    std::snprintf(line, sizeof line,
                  "%8.4f,%8.4f,%8.3f,12:34:%02d,%7.4f,%8.3f,%6.4f,%6.4f,%6.4f,%6.4f,%6.4f,%6.4f,"
                  "%6.4f,%6.4f",
                  35.1 + n * 1e-5, 12.3 - n * 1e-5, 100.0 + n * 0.001, n % 60, 34.5, 1502.123, 1.1,
                  2.2, 3.3, 4.4, 0.5, 0.6, 0.7, 0.8);
    return line;
}

// About one tick's worth of bytes: whole lines up to the most a tick takes.
std::string TickOfLines(int first) {
    std::string bytes;
    for (int n = first;; ++n) {
        const std::string line = VexaLine(n, kAllChannels) + "\r\n";
        if (bytes.size() + line.size() > CastSession::kMaxBytesPerTick)
            return bytes;
        bytes += line;
    }
}

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Counts the records and keeps the compiler from dropping the values.
class Counter : public ScanSubscriber {
public:
    void onScan(const ScanRecord& record, std::size_t) override {
        benchmark::DoNotOptimize(record.values.data());
        ++records;
    }
    std::int64_t records = 0;
};

// Full ticks of whole lines through a cast session writing to path, once synchronised.
void RunTicks(benchmark::State& state, const std::string& path, Durability durability) {
    CastSession session(ScanLayout::Vexa, kAllChannels, DCChannelTable(), durability);
    Counter counter;
    session.subscribe(counter);
    if (!session.startCast(path, {})) {
        state.SkipWithError("cannot create the cast file");
        return;
    }
    const std::string tick = TickOfLines(0);
    session.tick(Bytes(std::string(250, 'z') + "\r\n" + tick)); // synchronise
    counter.records = 0;
    for (auto _ : state)
        session.tick(Bytes(tick));
    state.SetItemsProcessed(counter.records);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(tick.size()));
}

void BM_ScanToRecord(benchmark::State& state) {
    RunTicks(state, "/dev/null", Durability::Buffered);
}
BENCHMARK(BM_ScanToRecord);

// One live data tick as the acquisition window runs it: the records go to a file on disk and
// are handed to the system at the tick's end; the listing and a display take every scan.
void BM_LiveTick(benchmark::State& state) {
    char folder[] = "/tmp/halcyx-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        state.SkipWithError("cannot make a folder");
        return;
    }
    RunTicks(state, std::string(folder) + "/cast.dat", Durability::Live);
    fs::remove_all(folder);
}
BENCHMARK(BM_LiveTick)->Unit(benchmark::kMicrosecond);

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

// A folder with the generated stream of one channel set, removed at the end of the run.
class ReplayFolder {
public:
    explicit ReplayFolder(std::uint32_t channels) {
        std::string pattern = (fs::temp_directory_path() / "halcyx-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        path_ = pattern;
        std::ofstream out(stream(), std::ios::binary);
        std::string block;
        for (int n = 0; n < kReplayScans; ++n) {
            block += VexaLine(n, channels) + "\r\n";
            if (block.size() >= kReadBlock || n + 1 == kReplayScans) {
                out << block;
                block.clear();
            }
        }
    }
    ~ReplayFolder() {
        std::error_code ignored;
        if (!path_.empty())
            fs::remove_all(path_, ignored);
    }
    bool ok() const { return !path_.empty() && fs::file_size(stream()) > 0; }
    std::string stream() const { return (path_ / "vexa3.raw").string(); }
    std::string out() const { return (path_ / "cast.dat").string(); }

private:
    fs::path path_;
};

const ReplayFolder& Folder(std::uint32_t channels) {
    static const ReplayFolder all(kAllChannels);
    static const ReplayFolder ctp(kCtp);
    return channels == kCtp ? ctp : all;
}

// The whole replay: stream read in blocks, cast session, cast data file, CSV table,
// header and calibration files.
void BM_Replay(benchmark::State& state) {
    const auto channels = static_cast<std::uint32_t>(state.range(0));
    const ReplayFolder& folder = Folder(channels);
    if (!folder.ok()) {
        state.SkipWithError("cannot write the stream");
        return;
    }
    char mask[16];
    std::snprintf(mask, sizeof mask, "%X", channels);
    const std::vector<std::string> args = {"--model", "vexa3",         "--mask",
                                           mask,      folder.stream(), folder.out()};
    for (auto _ : state)
        if (cli::ReplayCommand(args) != 0)
            state.SkipWithError("replay failed");
    state.SetItemsProcessed(state.iterations() * kReplayScans);
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(fs::file_size(folder.stream())));
}
BENCHMARK(BM_Replay)->Arg(kAllChannels)->Arg(kCtp)->Unit(benchmark::kMillisecond)->Iterations(3);

// Reading the same stream file in the replay's blocks, and nothing else.
void BM_ReadStream(benchmark::State& state) {
    const ReplayFolder& folder = Folder(static_cast<std::uint32_t>(state.range(0)));
    std::vector<char> block(kReadBlock);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const int fd = ::open(folder.stream().c_str(), O_RDONLY);
        for (ssize_t n; (n = ::read(fd, block.data(), block.size())) > 0;)
            bytes += n;
        ::close(fd);
    }
    state.SetItemsProcessed(state.iterations() * kReplayScans);
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_ReadStream)
    ->Arg(kAllChannels)
    ->Arg(kCtp)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
