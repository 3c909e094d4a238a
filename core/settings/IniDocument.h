#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

// The lines of a private-profile text as they stand in the file. Lookups read "[SECTION]"
// headers and "key=value" lines; every other line (comments, blanks, garbage) is kept
// verbatim so that a rewrite changes only the one key it sets. Names compare without
// regard to case; names and values are taken without their surrounding blanks. When a
// section or key appears twice, the first one counts.
class IniDocument {
public:
    // LF and CR LF line ends are both accepted; a missing final line end is fine.
    explicit IniDocument(std::string_view text);

    // The value of the first matching key of the first matching section, cut at a NUL.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // Replaces the key's value in place, or adds the key after the last key of its
    // section, or adds the section at the end. The value is cut at its first line break or
    // NUL: the rest would otherwise turn into lines of their own.
    void set(std::string_view section, std::string_view key, std::string_view value);

    // Every line ended by CR LF.
    std::string text() const;

private:
    // Index of the first header naming the section, or lines_.size().
    std::size_t findSection(std::string_view section) const;
    // One past the last line belonging to the section whose header is at headerIndex.
    std::size_t sectionEnd(std::size_t headerIndex) const;

    std::vector<std::string> lines_;
};

} // namespace halcyx
