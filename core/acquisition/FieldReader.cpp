#include "core/acquisition/FieldReader.h"

#include "core/base/DecimalNumber.h"

#include <algorithm>

namespace halcyx {
namespace {

constexpr char kSeparator = ',';

bool IsPrintable(char c) {
    return c >= ' ' && c <= '~';
}

} // namespace

std::string_view FieldReader::NextText() {
    // A field of printable characters only, the usual one, is handed out where it stands.
    const std::size_t start = pos_;
    const std::size_t limit = std::min(line_.size(), start + kMaxFieldChars);
    std::size_t end = start;
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

double FieldReader::NextNumber() {
    return DecimalNumber(NextText());
}

} // namespace halcyx
