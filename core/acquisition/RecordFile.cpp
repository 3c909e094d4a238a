#include "core/acquisition/RecordFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace halcyx {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr mode_t kCreateMode = 0666; // narrowed by the umask, as for any new file

} // namespace

RecordFile::~RecordFile() {
    Close();
}

bool RecordFile::create(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kCreateMode);
    if (fd_ < 0)
        return false;
    path_ = path;
    buffer_.clear();
    buffer_.reserve(kBufferBytes + kBufferBytes / 4);
    committed_ = 0;
    failure_.reset();
    return true;
}

void RecordFile::writeRecord(std::string_view line) {
    if (fd_ < 0 || failure_)
        return;
    buffer_ += line;
    buffer_ += kLineEnd;
    if (buffer_.size() >= kBufferBytes)
        WriteOut();
}

bool RecordFile::flush() {
    return fd_ >= 0 && WriteOut();
}

bool RecordFile::Reopen() {
    if (!Close())
        return false;
    fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd_ < 0)
        return Fail(errno);
    committed_ = ::lseek(fd_, 0, SEEK_END);
    return true;
}

bool RecordFile::Close() {
    if (fd_ < 0)
        return !failure_;
    WriteOut();
    if (::close(fd_) != 0)
        Fail(errno);
    fd_ = -1;
    return !failure_;
}

bool RecordFile::Fail(int error) {
    if (!failure_)
        failure_ = FileError{path_, error};
    buffer_.clear();
    return false;
}

bool RecordFile::WriteOut() {
    if (failure_)
        return false;
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        const int error = n < 0 ? errno : ENOSPC;
        // Keep the whole records that got in and take back the piece of the next one. Record
        // lines hold no line ends of their own. A device such as /dev/full cannot be cut,
        // and has taken nothing anyway.
        const std::size_t lastEnd = std::string_view(buffer_.data(), done).rfind(kLineEnd);
        const long long whole =
            committed_ + static_cast<long long>(
                             lastEnd == std::string_view::npos ? 0 : lastEnd + kLineEnd.size());
        if (committed_ + static_cast<long long>(done) > whole && ::ftruncate(fd_, whole) == 0)
            ::lseek(fd_, whole, SEEK_SET);
        return Fail(error);
    }
    committed_ += static_cast<long long>(done);
    buffer_.clear();
    return true;
}

} // namespace halcyx
