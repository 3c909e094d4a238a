#include "core/navigation/SentenceCutter.h"

namespace halcyx {

void SentenceCutter::feed(std::span<const std::uint8_t> bytes, const Sink& sink) {
    for (const std::uint8_t byte : bytes) {
        const char c = static_cast<char>(byte);
        if (c == kStart) {
            if (collecting_)
                finish(false, sink);
            collecting_ = true;
            chars_ = 0;
        }
        if (!collecting_)
            continue;
        if (c == kEnd) {
            finish(true, sink);
            continue;
        }
        if (chars_ == text_.size()) {
            finish(false, sink);
            continue;
        }
        text_[chars_++] = c;
    }
}

void SentenceCutter::finish(bool complete, const Sink& sink) {
    collecting_ = false;
    std::string_view text(text_.data(), chars_);
    if (!complete && text.find(kChecksum) == std::string_view::npos) {
        const std::size_t lastComma = text.rfind(',');
        if (lastComma == std::string_view::npos)
            return;
        text = text.substr(0, lastComma);
    }
    sink(text);
}

} // namespace halcyx
