#include "core/acquisition/FieldReader.h"

#include "core/base/DecimalNumber.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace halcyx {
namespace {

constexpr char kSeparator = ',';

bool IsPrintable(char c) {
    return c >= ' ' && c <= '~';
}

constexpr std::size_t kWordChars = 8;
constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x80 * kEveryByte;
constexpr int kBitsPerChar = 8;

// How many of the eight characters in word, the first in the lowest byte, come before the
// first comma or unprintable character. Each test marks the high bit of the bytes it finds;
// a borrow or carry marks at most bytes above a true find, so the lowest mark is exact.
std::size_t PrintableRun(std::uint64_t word) {
    const std::uint64_t commas = word ^ (kSeparator * kEveryByte);
    const std::uint64_t marks = ((commas - kEveryByte) & ~commas)     // a comma
                                | ((word - ' ' * kEveryByte) & ~word) // below a blank
                                | (word + kEveryByte) | word;         // '~' + 1 and above
    return static_cast<std::size_t>(std::countr_zero(marks & kHighBits) / kBitsPerChar);
}

} // namespace

std::string_view FieldReader::nextText() {
    // A field of printable characters only, the usual one, is handed out where it stands.
    // The line is searched a word at a time while a whole word is left, then by character.
    const std::size_t start = pos_;
    const std::size_t limit = std::min(line_.size(), start + kMaxFieldChars);
    std::size_t end = start;
    while (end < limit && end + kWordChars <= line_.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, line_.data() + end, sizeof word);
        const std::size_t run = PrintableRun(word);
        end = std::min(end + run, limit);
        if (run < kWordChars)
            break;
    }
    while (end < limit && line_[end] != kSeparator && IsPrintable(line_[end]))
        ++end;
    if (end == limit || line_[end] == kSeparator) {
        pos_ = end < line_.size() && line_[end] == kSeparator ? end + 1 : end;
        return line_.substr(start, end - start);
    }
    std::size_t kept = 0;
    while (pos_ < line_.size() && line_[pos_] != kSeparator && kept < kMaxFieldChars) {
        if (IsPrintable(line_[pos_]))
            field_[kept++] = line_[pos_];
        ++pos_;
    }
    if (pos_ < line_.size() && line_[pos_] == kSeparator)
        ++pos_;
    return {field_.data(), kept};
}

FieldReader::Field FieldReader::nextField() {
    // The usual field, blanks and a plain fixed-point number ended by a comma or the line,
    // is converted in the pass that finds its end. Any other field takes the general way.
    // Looked at no further than one character past the longest field, to see how it ends.
    const std::size_t limit = std::min(line_.size(), pos_ + kMaxFieldChars + 1);
    std::size_t at = pos_;
    while (at < limit && line_[at] == ' ')
        ++at;
    const PlainNumber plain = plainFixedPoint(line_.substr(at, limit - at));
    const std::size_t end = at + plain.end;
    const bool ended = end == line_.size() || line_[end] == kSeparator;
    if (!plain.found || !ended || end - pos_ > kMaxFieldChars) {
        const std::string_view text = nextText();
        return {text, decimalNumber(text)};
    }
    const std::string_view text = line_.substr(pos_, end - pos_);
    pos_ = end < line_.size() ? end + 1 : end;
    return {text, plain.value};
}

} // namespace halcyx
