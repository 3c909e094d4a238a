#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace halcyx {

// A private-profile text file: "[SECTION]" headers and "key=value" lines, as the program's
// settings file is read and written. Nothing is cached: every read goes to the file, so
// what one window writes the next read anywhere sees. An operation on many keys of one
// file at once (a configuration file) uses IniFile, which reads it once.
// Section and key names compare without regard to case.
class Profile {
public:
    explicit Profile(std::filesystem::path file);

    // The value, cut to bufferSize - 1 characters; def when the file or key is missing.
    std::string readString(std::string_view section, std::string_view key, std::string_view def,
                           std::size_t bufferSize) const;
    // The leading decimal number of the value (0 when it has none); def when missing.
    int readInt(std::string_view section, std::string_view key, int def) const;
    // Creates file, section and key as needed. Failures are not reported.
    void writeString(std::string_view section, std::string_view key, std::string_view value);

    const std::filesystem::path& path() const { return file_; }

private:
    std::filesystem::path file_;
};

} // namespace halcyx
