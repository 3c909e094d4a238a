#pragma once

#include <string>
#include <string_view>

namespace halcyx {

// The text of the listing window: every record line followed by CR LF. It is cleared once
// the average length of its first five lines times its line count exceeds
// kClearThreshold characters, so the listing never grows without bound during a cast.
class ListingText {
public:
    static constexpr std::size_t kClearThreshold = 15000; // [characters]
    static constexpr std::size_t kSampleLines = 5;

    void append(std::string_view line);
    const std::string& text() const { return text_; }
    void clear();

private:
    std::string text_;
    std::size_t lines_ = 0;
};

} // namespace halcyx
