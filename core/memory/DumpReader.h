#pragma once

#include "core/memory/DumpPlan.h"
#include "core/memory/MemoryLayout.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace halcyx {

class CommandLayer;
class ProgressBox;

// Fetches a logged memory over the configuration port, chunk by chunk: "DLEN=<scans>"
// sets the scans of the next dumps, each "BDMP" sends them, and the port is read until the
// chunk is whole. Every byte read is handed on at once, in the pieces the port delivered.
class DumpReader {
public:
    // The most one read takes [bytes].
    static constexpr std::size_t kReadBytes = 8168;
    // Consecutive empty reads after which the instrument counts as silent.
    static constexpr int kEmptyReadLimit = 22;

    enum class End {
        Complete, // every chunk arrived
        TimedOut, // kEmptyReadLimit reads in a row brought nothing
        Lost,     // the port closed itself: the device went away
    };
    struct Result {
        End end = End::Complete;
        long expectedBytes = 0; // of the chunk being read when it ended [bytes]
        long chunkBytes = 0;    // received in that chunk [bytes]
        long receivedBytes = 0; // received in all chunks [bytes]
    };
    using Take = std::function<void(std::span<const std::uint8_t>)>;

    DumpReader(CommandLayer& layer, MemoryFormat format, long totalBytes, int bytesPerScan);

    // Sends the first "DLEN" and clears what the instrument answered.
    void requestFirstChunk();
    // Fetches every chunk, showing "Scans Read = %ld" in line 2 of the box after each read
    // that brought bytes.
    Result readChunks(ProgressBox& box, const Take& take);

private:
    void sendLength(long scans);

    CommandLayer& layer_;
    MemoryFormat format_;
    int bytesPerScan_;
    DumpPlan plan_;
    long chunkScans_;
};

} // namespace halcyx
