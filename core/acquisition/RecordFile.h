#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace halcyx {

// A file the program could not write: its name and the system's error number.
struct FileError {
    std::string path;
    int error = 0;
};

// A text file written one CR LF-ended record at a time: the cast data file, and the
// replay's value table. Records collect in a buffer and reach the file only whole; when
// the system takes part of a write and then refuses the rest (a full disk, a file-size
// limit), the file is cut back to its last whole record, so it never ends inside a line.
// The first failure is kept and every later write is ignored.
class RecordFile {
public:
    // What is buffered is written out once it reaches this size [bytes].
    static constexpr std::size_t kBufferBytes = 64 * 1024;

    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Creates the file new and empty. False when it cannot be created.
    bool create(const std::string& path);
    // Appends the record line and a line end.
    void writeRecord(std::string_view line);
    // Hands every buffered record to the operating system. False once anything failed.
    bool flush();
    // Flushes, closes the file and opens it again for appending. False once anything failed.
    bool Reopen();
    // Flushes and closes. False once anything failed.
    bool Close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    // The first failure since Create, if any.
    const std::optional<FileError>& failure() const { return failure_; }

private:
    bool Fail(int error);
    bool WriteOut();

    int fd_ = -1;
    std::string path_;
    std::string buffer_;
    long long committed_ = 0; // bytes of whole records in the file
    std::optional<FileError> failure_;
};

} // namespace halcyx
