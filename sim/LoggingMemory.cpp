#include "sim/LoggingMemory.h"

#include <algorithm>

namespace halcyx::sim {

void LoggingMemory::append(std::string_view record) {
    if (logging_) {
        preload(record);
    }
}

void LoggingMemory::preload(std::string_view record) {
    if (contents_.size() + record.size() <= kCapacityBytes) {
        contents_.append(record);
    }
}

void LoggingMemory::zero() {
    contents_.clear();
    readPointer_ = 0;
}

std::string LoggingMemory::read(std::size_t count) {
    count = std::min(count, kCapacityBytes - std::min(kCapacityBytes, readPointer_));
    std::string out(count, '\0');
    if (readPointer_ < contents_.size()) {
        const std::size_t logged = std::min(count, contents_.size() - readPointer_);
        std::copy_n(contents_.begin() + static_cast<long>(readPointer_), logged, out.begin());
    }
    readPointer_ += count;
    return out;
}

} // namespace halcyx::sim
