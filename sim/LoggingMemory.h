#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace halcyx::sim {

// An instrument's logging memory: scan records appended while logging is on, a logged
// pointer (how much was logged) and a read pointer from which "BDMP" takes its bytes.
// Memory that was never written reads as zeros, as after "ZMEM".
class LoggingMemory {
public:
    static constexpr std::size_t kCapacityBytes = 512 * 1024;

    bool logging() const { return logging_; }
    void setLogging(bool on) { logging_ = on; }
    // Appends a record while logging is on and it fits [bytes].
    void append(std::string_view record);
    // Appends a record whether logging is on or not (memory filled before a test).
    void preload(std::string_view record);
    std::size_t loggedBytes() const { return contents_.size(); }
    std::size_t readPointer() const { return readPointer_; }
    const std::string& contents() const { return contents_; }

    // Zeroes the memory: nothing logged, both pointers at the start.
    void zero();
    void resetReadPointer() { readPointer_ = 0; }
    // Takes count bytes from the read pointer on (zeros past the logged part).
    std::string read(std::size_t count);

private:
    std::string contents_;
    std::size_t readPointer_ = 0;
    bool logging_ = false;
};

} // namespace halcyx::sim
