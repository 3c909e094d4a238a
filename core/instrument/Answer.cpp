#include "core/instrument/Answer.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace halcyx {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// The text after the first marker, or nullopt when it is absent.
std::optional<std::string_view> after(std::string_view answer, std::string_view marker) {
    const auto at = answer.find(marker);
    if (at == std::string_view::npos)
        return std::nullopt;
    return answer.substr(at + marker.size());
}

// Parses an optionally signed decimal integer at the start of text, saturating.
std::optional<int> parseInt(std::string_view text) {
    long long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    if (end == first)
        return std::nullopt;
    if (error == std::errc::result_out_of_range)
        return (first != last && *first == '-') ? INT_MIN : INT_MAX;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

std::string answerText(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const std::uint8_t byte : bytes) {
        if (byte != 0)
            text.push_back(static_cast<char>(byte));
    }
    return text;
}

bool contains(std::string_view answer, std::string_view marker) {
    return answer.find(marker) != std::string_view::npos;
}

std::optional<std::string> ExtractValue(std::string_view answer) {
    const auto rest = after(answer, "=");
    if (!rest)
        return std::nullopt;
    std::string value;
    for (const char c : *rest) {
        if (c != '\r' && c != '\n' && c != ' ')
            value.push_back(c);
    }
    return value;
}

std::optional<std::string> lineAfter(std::string_view answer, std::string_view marker) {
    const auto rest = after(answer, marker);
    if (!rest)
        return std::nullopt;
    const std::string_view line = rest->substr(0, rest->find('\r'));
    if (line.empty())
        return std::nullopt;
    return std::string(line);
}

std::optional<std::string> fieldAfter(std::string_view answer, std::string_view marker,
                                      std::size_t count, std::size_t skip) {
    const auto rest = after(answer, marker);
    if (!rest || rest->size() < skip + count)
        return std::nullopt;
    return std::string(rest->substr(skip, count));
}

std::optional<int> numberAfter(std::string_view answer, std::string_view marker) {
    const auto rest = after(answer, marker);
    if (!rest)
        return std::nullopt;
    return parseInt(skipBlanks(*rest));
}

int leadingNumber(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return 0;
    return parseInt(text).value_or(0);
}

float leadingFloat(std::string_view text) {
    text = skipBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    float value = 0.0F;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (end == text.data() || error != std::errc())
        return 0.0F;
    return value;
}

} // namespace halcyx
