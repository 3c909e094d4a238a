#include "core/viewer/DataFileLoader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace halcyx {

namespace {
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
} // namespace

std::string_view DataLines::line(std::size_t index) const {
    const std::size_t start = starts_[index];
    const std::size_t end = index + 1 < starts_.size() ? starts_[index + 1] : text_.size();
    return std::string_view(text_).substr(start, end - start);
}

DataFileLoader::~DataFileLoader() {
    close();
}

bool DataFileLoader::open(const std::string& path, Progress progress) {
    close();
    lines_ = {};
    lineStart_ = 0;
    lineListed_ = false;
    error_ = 0;
    progress_ = std::move(progress);
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        error_ = errno;
        close();
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error_ = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        close();
        return false;
    }
    // The whole file is held at once; reserving it spares the copies of a growing text.
    lines_.text_.reserve(static_cast<std::size_t>(info.st_size));
    if (progress_)
        progress_(0);
    return true;
}

bool DataFileLoader::readSlice(std::size_t maxBytes) {
    std::string& text = lines_.text_;
    while (fd_ >= 0 && maxBytes > 0) {
        const std::size_t kept = text.size();
        text.resize(kept + maxBytes);
        const ssize_t n = ::read(fd_, text.data() + kept, maxBytes);
        const int readError = errno;
        text.resize(kept + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (n < 0 && readError == EINTR)
            continue;
        if (n <= 0) {
            error_ = n < 0 ? readError : 0;
            // A last line without a line end is listed too.
            if (text.size() > lineStart_ || lineListed_)
                text.resize(endLine(text.size()));
            close();
            break;
        }
        maxBytes -= static_cast<std::size_t>(n);
        takeIn(kept);
    }
    return done();
}

void DataFileLoader::takeIn(std::size_t at) {
    std::string& text = lines_.text_;
    const std::size_t end = text.size();
    std::size_t kept = at; // the kept text ends here; the bytes read wait from at on
    while (at < end) {
        const auto* found =
            static_cast<const char*>(std::memchr(text.data() + at, kLineFeed, end - at));
        const std::size_t stop = found ? static_cast<std::size_t>(found - text.data()) : end;
        std::memmove(text.data() + kept, text.data() + at, stop - at);
        kept += stop - at;
        at = stop;
        listFullEntries(kept);
        if (found == nullptr)
            break;
        kept = endLine(kept);
        ++at; // past the line feed
    }
    text.resize(kept);
}

void DataFileLoader::listFullEntries(std::size_t kept) {
    while (kept - lineStart_ > kLineChars) {
        addEntry(lineStart_ + kLineChars);
        lineListed_ = true;
    }
}

std::size_t DataFileLoader::endLine(std::size_t kept) {
    if (kept > lineStart_ && lines_.text_[kept - 1] == kCarriageReturn)
        --kept;
    // A line whose text all went into full entries adds no empty one.
    if (kept > lineStart_ || !lineListed_)
        addEntry(kept);
    lineListed_ = false;
    return kept;
}

void DataFileLoader::addEntry(std::size_t end) {
    const std::size_t index = lines_.starts_.size();
    // The count 0 was given at the opening.
    if (progress_ && index > 0 && index % kProgressEvery == 0)
        progress_(index);
    lines_.starts_.push_back(lineStart_);
    lines_.longest_ = std::max(lines_.longest_, end - lineStart_);
    lineStart_ = end;
}

void DataFileLoader::close() {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace halcyx
