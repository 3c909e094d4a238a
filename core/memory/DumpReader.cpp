#include "core/memory/DumpReader.h"

#include "core/instrument/CommandLayer.h"
#include "core/instrument/Format.h"
#include "core/prompt/Operator.h"
#include "core/serial/CommPort.h"

#include <vector>

namespace halcyx {

namespace {

constexpr std::uint32_t kDumpCommandCharMs = 10;
// How long a Vexa takes before its dump starts [ms]; a Tavrin needs one response delay.
constexpr std::uint32_t kVexaDumpStartMs = 700;

} // namespace

DumpReader::DumpReader(CommandLayer& layer, MemoryFormat format, long totalBytes, int bytesPerScan)
    : layer_(layer), format_(format), bytesPerScan_(bytesPerScan), plan_(totalBytes, bytesPerScan),
      chunkScans_(plan_.chunkScans()) {}

void DumpReader::sendLength(long scans) {
    layer_.write(formatText("DLEN=%ld\r", scans));
    layer_.pauseResponse();
    layer_.purgeReceive();
}

void DumpReader::requestFirstChunk() {
    sendLength(chunkScans_);
}

DumpReader::Result DumpReader::readChunks(ProgressBox& box, const Take& take) {
    CommPort& port = layer_.port();
    std::vector<std::uint8_t> buffer(kReadBytes);
    Result result;
    for (long chunk = 0; chunk < plan_.chunkCount(); ++chunk) {
        const long scans = plan_.nextChunkScans(result.receivedBytes, chunkScans_);
        if (scans != chunkScans_) {
            layer_.pauseResponse();
            chunkScans_ = scans;
            sendLength(chunkScans_);
        }
        (void)port.WriteSlow(std::string("BDMP\r"), kDumpCommandCharMs);
        port.Sleep(isTavrin(format_) ? layer_.delays().responseMs : kVexaDumpStartMs);
        result.expectedBytes = chunkScans_ * bytesPerScan_;
        result.chunkBytes = 0;
        int emptyReads = 0;
        while (result.chunkBytes / bytesPerScan_ < chunkScans_) {
            const int count = port.ReadWait(buffer, layer_.delays().responseMs);
            if (count > 0) {
                const auto bytes = std::span(buffer).first(static_cast<std::size_t>(count));
                take(bytes);
                result.chunkBytes += count;
                result.receivedBytes += count;
                box.line2(formatText("Scans Read = %ld", result.receivedBytes / bytesPerScan_));
                emptyReads = 0;
                continue;
            }
            if (!port.isOpen()) {
                result.end = End::Lost;
                return result;
            }
            if (++emptyReads == kEmptyReadLimit) {
                result.end = End::TimedOut;
                return result;
            }
        }
    }
    return result;
}

} // namespace halcyx
