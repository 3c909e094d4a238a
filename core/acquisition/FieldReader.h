#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace halcyx {

// Takes the comma-separated fields of one scan line from left to right. A field ends at a
// comma, at the end of the line or after kMaxFieldChars kept characters; only printable
// characters (letters, digits, punctuation, space) are kept. Past the end of the line
// every further field is empty, so a short line gives empty fields, never a read past it.
class FieldReader {
public:
    static constexpr std::size_t kMaxFieldChars = 30;

    explicit FieldReader(std::string_view line) : line_(line) {}

    // The kept text of the next field; valid until the next call.
    std::string_view nextText();
    // The kept text of a field and its number (0 when nothing converts).
    struct Field {
        std::string_view text;
        double number;
    };
    // The next field; its text is valid until the next call.
    Field nextField();
    double nextNumber() { return nextField().number; }
    // Passes over one field.
    void skip() { nextText(); }

private:
    std::string_view line_;
    std::size_t pos_ = 0;
    std::array<char, kMaxFieldChars> field_{};
};

} // namespace halcyx
