#include "core/settings/IniFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace halcyx {

namespace {

namespace fs = std::filesystem;

// Anything bigger is not a settings file; reading it would only eat memory.
constexpr off_t kMaxFileBytes = 64 * 1024 * 1024;
constexpr std::size_t kReadChunkBytes = 64 * 1024;
constexpr mode_t kNewFileMode = 0666; // narrowed by the umask
constexpr int kTempNameAttempts = 16;

// Closes a descriptor on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and tells whether the last writes reached the file.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// The whole file, or nullopt when it cannot be read. Only regular files are read: a FIFO
// or a device named by mistake must not block or flood the program.
std::optional<std::string> readWholeFile(const fs::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileBytes)
        return std::nullopt;
    std::string content;
    char chunk[kReadChunkBytes];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got == 0)
            return content;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        content.append(chunk, static_cast<std::size_t>(got));
        if (content.size() > static_cast<std::size_t>(kMaxFileBytes))
            return std::nullopt;
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// Opens a new, unique file beside the target. Its name starts with a dot so that a
// left-over from a crash stays out of the way.
std::optional<fs::path> createTempBeside(const fs::path& target, int& fdOut) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        const std::string name = "." + target.filename().string() + "." +
                                 std::to_string(::getpid()) + "." + std::to_string(counter++) +
                                 ".tmp";
        const fs::path temp = target.parent_path() / name;
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0) {
            fdOut = fd;
            return temp;
        }
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

// Writes the text to a file beside the target and renames it over the target, so that a
// crash leaves either the old file or the new one, never half of one.
bool replaceAtomically(const fs::path& target, std::string_view text,
                       std::optional<mode_t> keepMode) {
    int rawFd = -1;
    const std::optional<fs::path> temp = createTempBeside(target, rawFd);
    if (!temp)
        return false;
    FileDescriptor fd(rawFd);
    bool ok = writeAll(fd.get(), text);
    if (ok && keepMode)
        ok = ::fchmod(fd.get(), *keepMode) == 0;
    ok = ok && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    if (!ok || ::rename(temp->c_str(), target.c_str()) != 0) {
        ::unlink(temp->c_str());
        return false;
    }
    return true;
}

} // namespace

IniFile::IniFile(const std::filesystem::path& file) : target_(file), document_(std::string_view{}) {
    std::error_code error;
    // Through a link the file it points to is rewritten; the link stays.
    if (fs::exists(file, error))
        target_ = fs::canonical(file, error);
    if (error) {
        writable_ = false;
        return;
    }
    struct stat info {};
    if (::stat(target_.c_str(), &info) != 0)
        return;
    // A file that exists but cannot be read is left alone: rewriting it from nothing
    // would throw away every other line in it.
    std::optional<std::string> content = readWholeFile(target_);
    if (!content) {
        writable_ = false;
        return;
    }
    keepMode_ = info.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO);
    document_ = IniDocument(*content);
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view def, std::size_t bufferSize) const {
    std::optional<std::string> value = document_.find(section, key);
    std::string result = value ? std::move(*value) : std::string(def);
    // The buffer keeps one place for its terminator.
    result.resize(std::min(result.size(), bufferSize == 0 ? 0 : bufferSize - 1));
    return result;
}

int IniFile::readInt(std::string_view section, std::string_view key, int def) const {
    const std::optional<std::string> value = document_.find(section, key);
    if (!value)
        return def;
    std::string_view digits = *value;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    // Out-of-range numbers stop at the limits of int instead of wrapping.
    long long number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            break;
        number = std::min<long long>(number * 10 + (c - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative)
        return static_cast<int>(-number);
    return static_cast<int>(std::min<long long>(number, INT_MAX));
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    document_.set(section, key, value);
}

bool IniFile::save() const {
    if (!writable_)
        return false;
    if (!keepMode_ && target_.has_parent_path()) {
        std::error_code error;
        fs::create_directories(target_.parent_path(), error);
        if (error)
            return false;
    }
    std::optional<mode_t> mode;
    if (keepMode_)
        mode = static_cast<mode_t>(*keepMode_);
    return replaceAtomically(target_, document_.text(), mode);
}

} // namespace halcyx
