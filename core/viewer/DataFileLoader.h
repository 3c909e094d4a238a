#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace halcyx {

// The lines of a file as the viewer lists them, kept as one block of text and the start of
// each line, so that a file of millions of short lines costs little more than its size.
class DataLines {
public:
    std::size_t size() const { return starts_.size(); }
    bool empty() const { return starts_.empty(); }
    std::string_view line(std::size_t index) const;
    // The length of the longest line [characters].
    std::size_t longest() const { return longest_; }

private:
    friend class DataFileLoader;

    // The lines one after another without their line ends; line i runs from starts_[i] to
    // the next line's start.
    std::string text_;
    std::vector<std::size_t> starts_;
    std::size_t longest_ = 0;
};

// Reads a text file into DataLines a slice at a time, so that a window can stay responsive
// between slices of a huge file. Each line is listed without its line end (LF or CR LF);
// a line longer than kLineChars is listed as several entries of at most kLineChars
// characters, so nothing of it is lost. Any byte may appear in a line, NUL included.
class DataFileLoader {
public:
    // The longest entry of the list [characters].
    static constexpr std::size_t kLineChars = 299;
    // The progress count is given before every entry whose index is a multiple of this.
    static constexpr std::size_t kProgressEvery = 100;

    // Called with the index of the entry about to be added.
    using Progress = std::function<void(std::size_t index)>;

    DataFileLoader() = default;
    ~DataFileLoader();
    DataFileLoader(const DataFileLoader&) = delete;
    DataFileLoader& operator=(const DataFileLoader&) = delete;

    // Opens a regular file for reading and gives the count 0 (an empty file shows it too). False,
    // with the system's error number in error(), when it cannot be opened or is no regular file (a
    // device or a pipe could keep the viewer waiting for an end that never comes).
    bool open(const std::string& path, Progress progress);
    // Reads at most maxBytes more. True once the whole file is read, or reading failed
    // (error() then says why); the lines read so far stay.
    bool readSlice(std::size_t maxBytes);
    bool done() const { return fd_ < 0; }
    // The system's error number of a failed open or read; 0 when none failed.
    int error() const { return error_; }
    // The lines, once done.
    DataLines take() { return std::move(lines_); }

private:
    // Moves the bytes read from at on to the end of the kept text, line ends cut out,
    // listing every line that ends.
    void takeIn(std::size_t at);
    // Lists the entries the open line has filled up to kept; its last character stays
    // back, as it may be the CR of a CR LF that the next read completes.
    void listFullEntries(std::size_t kept);
    // The open line ends at kept: its CR goes, and what is left of it becomes an entry.
    // Returns where the kept text now ends.
    std::size_t endLine(std::size_t kept);
    void addEntry(std::size_t end);
    void close();

    int fd_ = -1;
    int error_ = 0;
    Progress progress_;
    DataLines lines_;
    std::size_t lineStart_ = 0; // where the text of the line not yet listed begins
    bool lineListed_ = false;   // part of the open line is listed already
};

} // namespace halcyx
