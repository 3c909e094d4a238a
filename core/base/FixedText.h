#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace halcyx {

// A text field of fixed width as the instrument records keep it: at most Width - 1
// characters, so that it always fits the NUL-terminated field that configuration files,
// printouts and data-file headers were laid out for. Longer texts are cut, never spilled.
template <std::size_t Width> class FixedText {
    static_assert(Width >= 1);

public:
    static constexpr std::size_t kMaxChars = Width - 1;

    FixedText() = default;
    FixedText(std::string_view text) { assign(text); } // NOLINT: reads like a string field

    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    void assign(std::string_view text) {
        length_ = std::min(text.size(), kMaxChars);
        std::copy_n(text.begin(), length_, chars_.begin());
        chars_[length_] = '\0';
    }

    std::string_view view() const { return {chars_.data(), length_}; }
    std::string str() const { return std::string(view()); }
    const char* c_str() const { return chars_.data(); }
    bool empty() const { return length_ == 0; }
    std::size_t size() const { return length_; }

    friend bool operator==(const FixedText& a, std::string_view b) { return a.view() == b; }

private:
    std::array<char, Width> chars_{};
    std::size_t length_ = 0;
};

} // namespace halcyx
