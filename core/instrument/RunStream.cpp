#include "core/instrument/RunStream.h"

#include <algorithm>

namespace halcyx {

namespace {
constexpr std::uint8_t kCarriageReturn = '\r';
constexpr std::uint8_t kLineFeed = '\n';
constexpr std::string_view kLineEnd = "\r\n";
constexpr char kFieldSeparator = ',';

bool isLineEndByte(std::uint8_t byte) {
    return byte == kCarriageReturn || byte == kLineFeed;
}
} // namespace

std::vector<std::string> splitRunFields(std::string_view line) {
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = line.find(kFieldSeparator, start);
        const std::string_view field = line.substr(start, comma - start);
        fields.emplace_back(field.substr(0, kRunFieldChars));
        if (comma == std::string_view::npos)
            return fields;
        start = comma + 1;
    }
}

ChannelMask vexaRunFieldBit(int field) {
    return field < kRunDc1 ? primaryChannelBit(field + 1) : dcChannelBit(field - kRunDc1 + 1);
}

std::optional<VexaRunTexts> vexaRunTexts(std::span<const std::uint8_t> bytes, ChannelMask mask) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const std::size_t first = text.find(kLineEnd);
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t start = first + kLineEnd.size();
    const std::size_t second = text.find(kLineEnd, start);
    if (second == std::string_view::npos || second - start >= kVexaRunLineLimit)
        return std::nullopt;
    const std::vector<std::string> fields = splitRunFields(text.substr(start, second - start));
    VexaRunTexts texts;
    std::size_t next = 0;
    for (int field = 0; field < kVexaRunFields; ++field) {
        if (!mask::has(mask, vexaRunFieldBit(field)))
            continue;
        texts[static_cast<std::size_t>(field)] = next < fields.size() ? fields[next] : "";
        ++next;
    }
    return texts;
}

void CtRunStream::put(std::span<const std::uint8_t> bytes) {
    fifo_.Put(bytes);
}

std::optional<std::size_t> CtRunStream::measureLine() {
    std::size_t length = 0;
    std::uint8_t byte = 0;
    while (!fifo_.isEmpty()) {
        fifo_.Get(byte);
        if (byte == kCarriageReturn)
            return length;
        if (byte != kLineFeed)
            ++length;
    }
    return std::nullopt;
}

bool CtRunStream::synchronise() {
    if (!synchronising())
        return true;
    if (queued() < kSyncFill)
        return false;
    // The text before the first CR may be the tail of a line.
    if (!measureLine())
        return false;
    const auto first = measureLine();
    if (!first || *first == 0)
        return false;
    const auto second = measureLine();
    if (!second || *second != *first)
        return false;
    recordLength_ = *first;
    return true;
}

std::vector<CtRunRecord> CtRunStream::records(bool timeOn) {
    std::vector<CtRunRecord> out;
    if (synchronising())
        return out;
    std::uint8_t byte = 0;
    while (!fifo_.isEmpty()) {
        fifo_.Get(byte);
        if (isLineEndByte(byte))
            continue;
        partial_ += static_cast<char>(byte);
        if (partial_.size() < recordLength_)
            continue;
        std::vector<std::string> fields = splitRunFields(partial_);
        partial_.clear();
        fields.resize(std::max<std::size_t>(fields.size(), 3));
        CtRunRecord record{fields[0], fields[1], std::nullopt};
        if (timeOn)
            record.time = fields[2];
        out.push_back(std::move(record));
    }
    return out;
}

} // namespace halcyx
