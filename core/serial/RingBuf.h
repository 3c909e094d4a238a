#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace halcyx {

// History ring of plotted values: Put appends, Prev walks back from the newest value.
// It allocates once, at construction; the graphs use kGraphCapacity.
template <typename T> class RingBuf {
public:
    static constexpr std::uint32_t kGraphCapacity = 0x1FFFF; // 131071 values
    static constexpr int kCountLimit = 30000;

    explicit RingBuf(std::uint32_t capacity)
        : capacity_(capacity == 0 ? 1 : capacity), buf_(new T[capacity_]()) {}

    void Reset() {
        write_ = read_ = 0;
        count_ = 0;
    }

    // Stores a value after the newest one and makes it the one Prev returns first.
    void Put(T value) {
        if (count_ < kCountLimit)
            ++count_;
        buf_[write_] = value;
        write_ = (write_ + 1) % capacity_;
        read_ = write_;
    }

    // Steps back one value and returns it: newest first, wrapping before the first slot.
    T Prev() {
        read_ = (read_ == 0 ? capacity_ : read_) - 1;
        return buf_[read_];
    }

    // The value `steps` before the newest (0 = the newest) without moving the read position;
    // steps beyond what was put give whatever the slot holds, so callers stay below count().
    T back(std::uint32_t steps) const {
        return buf_[(write_ + capacity_ - 1 - steps % capacity_) % capacity_];
    }

    // Values put since the last reset, saturating at kCountLimit.
    int count() const { return count_; }
    std::uint32_t capacity() const { return capacity_; }

private:
    std::uint32_t capacity_; // declared before buf_: the allocation uses it
    std::unique_ptr<T[]> buf_;
    std::uint32_t write_ = 0;
    std::uint32_t read_ = 0;
    int count_ = 0;
};

} // namespace halcyx
