#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace halcyx {

// The fixed byte queue into which a window's timer pours what a port received, and from
// which complete lines are taken. It never allocates. Its return values are part of its
// contract: the byte that fills the queue and the byte that empties it both report false
// although they are stored or delivered, and callers rely on exactly that.
class Fifo {
public:
    static constexpr std::size_t kCapacity = 4096;
    static constexpr std::uint8_t kCarriageReturn = 0x0D;

    // Stores one byte. False when refused (queue full) and also when this byte has just
    // filled the queue (the byte is stored).
    bool Put(std::uint8_t byte) {
        if (full_)
            return false;
        notEmpty_ = true;
        buf_[write_] = byte;
        write_ = (write_ + 1) % kCapacity;
        ++count_;
        if (write_ != read_)
            return true;
        full_ = true;
        return false;
    }

    // Stores the bytes in order as far as there is room and refuses the rest, as byte-wise
    // Put would; how many were stored.
    std::size_t Put(std::span<const std::uint8_t> bytes) {
        std::size_t stored = 0;
        while (stored < bytes.size() && !full_) {
            // The free room from write_ on, up to the wrap or the oldest byte.
            const std::size_t room = (write_ < read_ ? read_ : kCapacity) - write_;
            const std::size_t n = std::min(room, bytes.size() - stored);
            std::memcpy(buf_.data() + write_, bytes.data() + stored, n);
            stored += n;
            write_ = (write_ + n) % kCapacity;
            count_ += static_cast<int>(n);
            notEmpty_ = true;
            full_ = write_ == read_;
        }
        return stored;
    }

    // Takes one byte. False when nothing was there, and also when this byte has just
    // emptied the queue (the byte is delivered).
    bool Get(std::uint8_t& byte) {
        if (!notEmpty_)
            return false;
        byte = buf_[read_];
        read_ = (read_ + 1) % kCapacity;
        --count_;
        full_ = false;
        if (read_ != write_)
            return true;
        notEmpty_ = false;
        return false;
    }

    // Takes bytes into buffer while Get reports more to come. True as soon as the byte just
    // stored is a carriage return (it is in the buffer and counted in n). False when the
    // queue runs dry (the byte that emptied it is consumed but not stored, so a line whose
    // CR is the very last byte queued is reported incomplete) or when max bytes were stored
    // without a CR. n is added to, not reset: callers start it at 0.
    bool GetLine(std::uint8_t* buffer, int max, int& n) {
        if (!notEmpty_ || max <= 0)
            return false;
        int stored = 0;
        std::uint8_t byte = 0;
        while (Get(byte)) {
            buffer[stored++] = byte;
            ++n;
            if (byte == kCarriageReturn)
                return true;
            if (stored == max)
                return false;
        }
        return false;
    }

    // The oldest queued bytes that lie in one piece: all of them, or those up to the wrap.
    // Valid until the queue changes.
    std::span<const std::uint8_t> front() const {
        if (!notEmpty_)
            return {};
        const std::size_t end = write_ > read_ ? write_ : kCapacity;
        return {buf_.data() + read_, end - read_};
    }

    // Takes n bytes (at most count()) without delivering them.
    void drop(std::size_t n) {
        read_ = (read_ + n) % kCapacity;
        count_ -= static_cast<int>(n);
        full_ = count_ == static_cast<int>(kCapacity);
        notEmpty_ = count_ > 0;
    }

    // Empties the queue the way every owner does it.
    void clear() {
        write_ = read_ = 0;
        notEmpty_ = full_ = false;
        count_ = 0;
    }

    int count() const { return count_; }
    bool isFull() const { return full_; }
    bool isEmpty() const { return !notEmpty_; }

private:
    std::array<std::uint8_t, kCapacity> buf_{};
    std::size_t write_ = 0;
    std::size_t read_ = 0;
    bool notEmpty_ = false;
    bool full_ = false;
    int count_ = 0;
};

} // namespace halcyx
