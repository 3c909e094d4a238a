#include "core/navigation/NavReader.h"

#include "core/navigation/NavSentence.h"

#include <string_view>

namespace halcyx {

void NavReader::put(std::span<const std::uint8_t> bytes) {
    cutter_.feed(bytes, [this](std::string_view sentence) {
        if (Fifo::kCapacity - static_cast<std::size_t>(queue_.count()) < sentence.size() + 1)
            return;
        for (const char c : sentence)
            queue_.Put(static_cast<std::uint8_t>(c));
        queue_.Put(Fifo::kCarriageReturn);
    });
}

bool NavReader::takeSentence(std::size_t& chars) {
    chars = 0;
    std::uint8_t byte = 0;
    // Get reports false for the byte that empties the queue although it delivers it, so
    // the loop asks the queue itself whether anything is left.
    while (!queue_.isEmpty()) {
        queue_.Get(byte);
        if (byte == Fifo::kCarriageReturn)
            return true;
        if (chars < line_.size())
            line_[chars++] = static_cast<char>(byte);
    }
    return false;
}

bool NavReader::takeFix(NavFix& fix, bool useZda) {
    std::size_t chars = 0;
    while (takeSentence(chars)) {
        const std::string_view sentence(line_.data(), chars);
        if (readGll(sentence, fix))
            return true;
        if (useZda)
            readZda(sentence, fix);
    }
    return false;
}

void NavReader::clear() {
    queue_.clear();
    cutter_.restart();
}

} // namespace halcyx
