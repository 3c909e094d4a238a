#include "core/acquisition/ListingText.h"

namespace halcyx {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

void ListingText::append(std::string_view line) {
    text_ += line;
    text_ += kLineEnd;
    ++lines_;
    // The sample is the first five lines (fewer while the listing is shorter).
    std::size_t sampled = 0;
    std::size_t sampleChars = 0;
    for (std::size_t start = 0; sampled < kSampleLines && start < text_.size(); ++sampled) {
        const std::size_t end = text_.find(kLineEnd, start);
        sampleChars += end - start;
        start = end + kLineEnd.size();
    }
    if (sampleChars * lines_ > kClearThreshold * sampled)
        clear();
}

void ListingText::clear() {
    text_.clear();
    lines_ = 0;
}

} // namespace halcyx
