#include "core/memory/DumpPlan.h"

#include <algorithm>

namespace halcyx {

DumpPlan::DumpPlan(long totalBytes, int bytesPerScan)
    : totalBytes_(std::max(0L, totalBytes)), bytesPerScan_(std::max(0, bytesPerScan)) {
    if (bytesPerScan_ == 0)
        return;
    scans_ = totalBytes_ / bytesPerScan_;
    if (totalBytes_ <= kChunkBytes) {
        chunkScans_ = scans_;
        chunkCount_ = 1;
        return;
    }
    // A scan longer than a chunk still goes one at a time.
    chunkScans_ = std::max(1L, kChunkBytes / bytesPerScan_);
    chunkCount_ = scans_ / chunkScans_ + 1;
}

long DumpPlan::nextChunkScans(long receivedBytes, long current) const {
    if (bytesPerScan_ == 0)
        return current;
    const long remaining = std::max(0L, totalBytes_ - receivedBytes) / bytesPerScan_;
    return remaining < current ? remaining + 1 : current;
}

} // namespace halcyx
