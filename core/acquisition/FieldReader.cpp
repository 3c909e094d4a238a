#include "core/acquisition/FieldReader.h"

#include "core/base/DecimalNumber.h"

namespace halcyx {
namespace {

constexpr char kSeparator = ',';

bool IsPrintable(char c) {
    return c >= ' ' && c <= '~';
}

} // namespace

std::string_view FieldReader::nextText() {
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

double FieldReader::nextNumber() {
    return decimalNumber(nextText());
}

} // namespace halcyx
