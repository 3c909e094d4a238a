#pragma once

#include "core/settings/IniDocument.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace halcyx {

// A private-profile file read once into memory, for an operation that reads or writes many
// keys of one file (a configuration file holds some 75): one read and one parse, and at
// most one write, instead of one of each per key. Writes stay in memory until save(), which
// replaces the file atomically and keeps every line it was not asked to set, in its place.
class IniFile {
public:
    // Reads the file now. A missing file reads as empty; so does one that exists but cannot
    // be read (a folder, a FIFO, no permission, over 64 MB), and save() then leaves it alone.
    explicit IniFile(const std::filesystem::path& file);

    // The value, cut to bufferSize - 1 characters; def when the key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view def,
                           std::size_t bufferSize) const;
    // The leading decimal number of the value (0 when it has none, the limits of int when
    // it is out of range); def when missing.
    int readInt(std::string_view section, std::string_view key, int def) const;
    // Sets the key in memory, adding section and key as needed.
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    // Writes the whole text beside the file and renames it over the file, so that a crash
    // leaves the old file or the new one. A link is followed: the file it names is
    // replaced, with its permissions kept; missing folders are made. False when nothing
    // was written.
    [[nodiscard]] bool save() const;

private:
    std::filesystem::path target_; // through a link, the file it names
    bool writable_ = true;         // false: the file exists but was not read
    std::optional<unsigned> keepMode_;
    IniDocument document_;
};

} // namespace halcyx
