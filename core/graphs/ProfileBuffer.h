#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace halcyx {

// The profile graph's memory of a cast: one array per scan record value, each holding one
// value per stored scan, so that a change of range, a zoom or a resize can redraw the whole
// cast. A cast longer than the arrays keeps writing over their last few places. Memory is
// taken once, when the buffer is made; when there is not enough, the buffer holds nothing
// and ignores what it is given.
class ProfileBuffer {
public:
    static constexpr int kChannels = 20;     // one per ScanRecord value
    static constexpr int kCapacity = 300000; // [scans]
    static constexpr int kOverwritten = 10;  // places written over once the buffer is full

    ProfileBuffer();

    bool allocated() const { return !values_.empty(); }
    // Scans stored so far, 0 to kCapacity - 1.
    int count() const { return count_; }

    // Writes one value of scan `index`; an index past the end lands kOverwritten places
    // earlier, and one still past the end (or a channel outside 0..19) is not written.
    void store(int channel, long index, float value);
    // The values of a channel for the stored scans 0 to count - 1; empty for a channel
    // outside 0..19 or without memory.
    std::span<const float> stored(int channel) const;
    // One more scan stored; once the count would reach kCapacity it steps back to
    // kCapacity - kOverwritten, so the last places are reused from then on.
    void advance();
    void clear() { count_ = 0; }

private:
    std::vector<float> values_; // channel after channel, kCapacity values each
    int count_ = 0;
};

} // namespace halcyx
