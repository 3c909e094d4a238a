#include "core/memory/RawDumpFile.h"

#include <cerrno>

namespace halcyx {

RawDumpFile::~RawDumpFile() {
    // Closed on the way out of a failed download; its failure was already reported.
    (void)close();
}

bool RawDumpFile::create(const std::string& path) {
    (void)close();
    path_ = path;
    error_ = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr)
        error_ = errno;
    return file_ != nullptr;
}

void RawDumpFile::write(std::span<const std::uint8_t> bytes) {
    if (file_ == nullptr || error_ != 0 || bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        error_ = errno;
}

bool RawDumpFile::close() {
    if (file_ == nullptr)
        return error_ == 0;
    if (std::fclose(file_) != 0 && error_ == 0)
        error_ = errno;
    file_ = nullptr;
    return error_ == 0;
}

} // namespace halcyx
