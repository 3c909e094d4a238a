#include "core/app/FileFilter.h"

namespace halcyx {

namespace {

constexpr char kFieldEnd = '|';
constexpr char kPatternSeparator = ';';

std::vector<std::string_view> splitOn(std::string_view text, char separator) {
    std::vector<std::string_view> fields;
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        fields.push_back(text.substr(0, end));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return fields;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::vector<FileTypeFilter> parseFileFilter(std::string_view filter) {
    const std::vector<std::string_view> fields = splitOn(filter, kFieldEnd);
    std::vector<FileTypeFilter> choices;
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        FileTypeFilter choice{std::string(trimmed(fields[i])), {}};
        for (std::string_view pattern : splitOn(fields[i + 1], kPatternSeparator)) {
            pattern = trimmed(pattern);
            if (pattern == "*.*")
                pattern = "*";
            if (!pattern.empty())
                choice.patterns.emplace_back(pattern);
        }
        if (!choice.patterns.empty())
            choices.push_back(std::move(choice));
    }
    return choices;
}

std::string withDefaultExtension(const std::string& path, std::string_view defaultExtension) {
    if (defaultExtension.empty() || path.empty())
        return path;
    const std::size_t nameStart = path.find_last_of('/') + 1; // npos + 1 == 0
    const std::string_view name = std::string_view(path).substr(nameStart);
    if (name.empty() || name.find('.') != std::string_view::npos)
        return path;
    return path + "." + std::string(defaultExtension);
}

} // namespace halcyx
