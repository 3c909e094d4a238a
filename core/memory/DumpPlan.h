#pragma once

namespace halcyx {

// How a download cuts the logged memory into chunks: each chunk is asked for with
// "DLEN=<scans>" and fetched with "BDMP", at most kChunkBytes of whole scans at a time.
// Once fewer scans remain than a chunk holds, the last chunk asks for one scan more than
// remain.
class DumpPlan {
public:
    static constexpr long kChunkBytes = 8096; // [bytes]

    DumpPlan(long totalBytes, int bytesPerScan);

    // Logged scans: the total bytes in whole scans.
    long scans() const { return scans_; }
    // Scans of every chunk but the last, the first "DLEN" value.
    long chunkScans() const { return chunkScans_; }
    long chunkCount() const { return chunkCount_; }
    // Before each chunk: the scans it asks for, given the bytes received in all chunks so far
    // and the scans the chunk before asked for. A value unlike current is sent as a new DLEN.
    long nextChunkScans(long receivedBytes, long current) const;

private:
    long totalBytes_;
    int bytesPerScan_;
    long scans_ = 0;
    long chunkScans_ = 0;
    long chunkCount_ = 0;
};

} // namespace halcyx
