#include "core/graphs/ProfileBuffer.h"

#include <new>

namespace halcyx {

namespace {
constexpr std::size_t kValues = static_cast<std::size_t>(ProfileBuffer::kChannels) *
                                static_cast<std::size_t>(ProfileBuffer::kCapacity);

bool validChannel(int channel) {
    return channel >= 0 && channel < ProfileBuffer::kChannels;
}

std::size_t channelStart(int channel) {
    return static_cast<std::size_t>(channel) * static_cast<std::size_t>(ProfileBuffer::kCapacity);
}
} // namespace

ProfileBuffer::ProfileBuffer() {
    try {
        values_.resize(kValues);
    } catch (const std::bad_alloc&) {
        values_.clear();
    }
}

void ProfileBuffer::store(int channel, long index, float value) {
    if (!allocated() || !validChannel(channel) || index < 0)
        return;
    if (index >= kCapacity)
        index -= kOverwritten;
    if (index >= kCapacity)
        return;
    values_[channelStart(channel) + static_cast<std::size_t>(index)] = value;
}

std::span<const float> ProfileBuffer::stored(int channel) const {
    if (!allocated() || !validChannel(channel))
        return {};
    return std::span<const float>(values_).subspan(channelStart(channel),
                                                   static_cast<std::size_t>(count_));
}

void ProfileBuffer::advance() {
    if (!allocated())
        return;
    if (++count_ >= kCapacity)
        count_ = kCapacity - kOverwritten;
}

} // namespace halcyx
