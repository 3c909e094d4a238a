#include "core/settings/IniDocument.h"

#include <algorithm>

namespace halcyx {

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";
constexpr std::string_view kLineBreaks{"\r\n\0", 3};
constexpr char kCommentMark = ';';

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

// A line read as a private-profile reader reads it.
struct ParsedLine {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key value, trimmed
};

ParsedLine parse(std::string_view line) {
    const std::string_view body = trim(line);
    ParsedLine parsed;
    if (body.empty() || body.front() == kCommentMark)
        return parsed;
    if (body.front() == '[') {
        // An unclosed header still starts a new section, so its keys never fall into the
        // section above it.
        const std::string_view inner = body.substr(1);
        parsed.kind = ParsedLine::Kind::Section;
        parsed.name = trim(inner.substr(0, inner.find(']')));
        return parsed;
    }
    const std::size_t equals = body.find('=');
    if (equals == std::string_view::npos || equals == 0)
        return parsed;
    parsed.kind = ParsedLine::Kind::Key;
    parsed.name = trim(body.substr(0, equals));
    parsed.value = trim(body.substr(equals + 1));
    return parsed;
}

bool isSection(std::string_view line, std::string_view section) {
    const ParsedLine parsed = parse(line);
    return parsed.kind == ParsedLine::Kind::Section && sameName(parsed.name, section);
}

std::string keyLine(std::string_view key, std::string_view value) {
    const std::string_view firstLine = value.substr(0, value.find_first_of(kLineBreaks));
    std::string line(key);
    line += '=';
    line += firstLine;
    return line;
}

} // namespace

IniDocument::IniDocument(std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

std::size_t IniDocument::findSection(std::string_view section) const {
    const auto it = std::ranges::find_if(
        lines_, [&](const std::string& line) { return isSection(line, section); });
    return static_cast<std::size_t>(it - lines_.begin());
}

std::size_t IniDocument::sectionEnd(std::size_t headerIndex) const {
    std::size_t index = headerIndex + 1;
    while (index < lines_.size() && parse(lines_[index]).kind != ParsedLine::Kind::Section)
        ++index;
    return index;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == lines_.size())
        return std::nullopt;
    const std::size_t end = sectionEnd(header);
    for (std::size_t index = header + 1; index < end; ++index) {
        const ParsedLine parsed = parse(lines_[index]);
        if (parsed.kind == ParsedLine::Kind::Key && sameName(parsed.name, key)) {
            const std::string_view value = parsed.value;
            return std::string(value.substr(0, value.find('\0')));
        }
    }
    return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::size_t header = findSection(section);
    if (header == lines_.size()) {
        if (!lines_.empty() && !trim(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(keyLine(key, value));
        return;
    }
    const std::size_t end = sectionEnd(header);
    std::size_t insertAt = header + 1;
    for (std::size_t index = header + 1; index < end; ++index) {
        const ParsedLine parsed = parse(lines_[index]);
        if (parsed.kind != ParsedLine::Kind::Key)
            continue;
        if (sameName(parsed.name, key)) {
            // The stored spelling of the key stays as it was.
            lines_[index] = keyLine(parsed.name, value);
            return;
        }
        insertAt = index + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), keyLine(key, value));
}

std::string IniDocument::text() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace halcyx
