#pragma once

#include "core/acquisition/RecordFile.h"
#include "core/memory/MemoryLayout.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

// Takes each decoded scan line, without its line end.
class DecodedLineSink {
public:
    virtual ~DecodedLineSink() = default;
    virtual void onLine(std::string_view line) = 0;
};

// Writes each line as one record of the download's data file.
class RecordFileSink final : public DecodedLineSink {
public:
    explicit RecordFileSink(RecordFile& file) : file_(file) {}
    void onLine(std::string_view line) override { file_.writeRecord(line); }

private:
    RecordFile& file_;
};

// Turns the bytes of a memory dump into one text line per scan, as they arrive: each
// read's bytes are fed in whatever pieces the port delivered them, a scan split between
// two reads is kept until it is whole, and every whole scan up to the count to decode is
// written at once. Bytes past those scans (the one more scan the last chunk of a long
// download asks for, a Tavrin's unfinished last scan) are counted but not written, so the
// file holds the logged scans however the dump was cut into chunks.
class MemoryDecoder {
public:
    // scans: the scans to decode (see scansToDecode). A layout with a problem (see
    // layoutProblem) decodes nothing.
    MemoryDecoder(const MemoryLayout& layout, long scans, DecodedLineSink& sink);
    ~MemoryDecoder();
    MemoryDecoder(const MemoryDecoder&) = delete;
    MemoryDecoder& operator=(const MemoryDecoder&) = delete;

    // Takes every byte of one read.
    void feed(std::span<const std::uint8_t> bytes);

    // Bytes fed so far [bytes].
    long receivedBytes() const { return received_; }
    // Whole scans received, the figure of "Scans Read = %ld".
    long scansRead() const;
    long scansWritten() const { return written_; }
    long scansToWrite() const { return scans_; }
    bool complete() const { return written_ >= scans_; }
    // Bytes of a scan not yet whole [bytes].
    std::size_t partialBytes() const { return partial_.size(); }

private:
    class Fields;

    void decodeScan(const std::uint8_t* scan);

    MemoryLayout layout_;
    long scans_;
    DecodedLineSink& sink_;
    std::unique_ptr<Fields> fields_;
    std::vector<std::uint8_t> partial_;
    std::vector<char> line_;
    long received_ = 0;
    long written_ = 0;
};

} // namespace halcyx
