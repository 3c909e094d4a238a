#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace halcyx {

// The bytes of a memory dump exactly as the instrument sent them, kept beside the decoded
// data file (extension "bin"), so that a download can always be decoded again.
class RawDumpFile {
public:
    RawDumpFile() = default;
    ~RawDumpFile();
    RawDumpFile(const RawDumpFile&) = delete;
    RawDumpFile& operator=(const RawDumpFile&) = delete;

    // Creates the file new and empty. False when it cannot be created.
    [[nodiscard]] bool create(const std::string& path);
    // Appends the bytes; a failure is kept for close.
    void write(std::span<const std::uint8_t> bytes);
    // Closes the file. False when any write or the close failed.
    [[nodiscard]] bool close();
    const std::string& path() const { return path_; }
    // The system's error number of the first failure, 0 when none.
    int error() const { return error_; }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
    int error_ = 0;
};

} // namespace halcyx
