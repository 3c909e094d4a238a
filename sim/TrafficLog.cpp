#include "sim/TrafficLog.h"

#include <algorithm>
#include <cstdio>

namespace halcyx::sim {

std::size_t& TrafficLog::openBurst(Direction direction) {
    return direction == Direction::FromProgram ? openFromProgram_ : openToProgram_;
}

void TrafficLog::record(std::int64_t timeMs, Direction direction, std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    std::size_t& open = openBurst(direction);
    if (open != kNone && timeMs - bursts_[open].lastMs <= kBurstGapMs) {
        bursts_[open].bytes.append(bytes);
        bursts_[open].lastMs = std::max(bursts_[open].lastMs, timeMs);
        return;
    }
    // Keep the bursts ordered by their first byte; equal times keep their arrival order.
    const auto at = std::upper_bound(
        bursts_.begin(), bursts_.end(), timeMs,
        [](std::int64_t t, const TrafficBurst& burst) { return t < burst.timeMs; });
    const auto index = static_cast<std::size_t>(at - bursts_.begin());
    bursts_.insert(at, TrafficBurst{timeMs, timeMs, direction, std::string(bytes)});
    for (std::size_t* other : {&openFromProgram_, &openToProgram_}) {
        if (*other != kNone && *other >= index) {
            ++*other;
        }
    }
    open = index;
}

void TrafficLog::clear() {
    bursts_.clear();
    openFromProgram_ = openToProgram_ = kNone;
}

std::string TrafficLog::escape(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7f) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string TrafficLog::line(const TrafficBurst& burst) {
    return std::to_string(burst.timeMs) + ' ' + static_cast<char>(burst.direction) + ' ' +
           escape(burst.bytes) + '\n';
}

std::string TrafficLog::text() const {
    std::string out;
    for (const TrafficBurst& burst : bursts_) {
        out += line(burst);
    }
    return out;
}

std::string TrafficLog::text(Direction direction) const {
    std::string out;
    for (const TrafficBurst& burst : bursts_) {
        if (burst.direction == direction) {
            out += line(burst);
        }
    }
    return out;
}

std::vector<TrafficBurst> TrafficLog::takeClosed(std::int64_t nowMs) {
    std::size_t closed = 0;
    while (closed < bursts_.size() && nowMs - bursts_[closed].lastMs > kBurstGapMs) {
        ++closed;
    }
    std::vector<TrafficBurst> taken(bursts_.begin(), bursts_.begin() + closed);
    bursts_.erase(bursts_.begin(), bursts_.begin() + closed);
    for (std::size_t* open : {&openFromProgram_, &openToProgram_}) {
        *open = (*open == kNone || *open < closed) ? kNone : *open - closed;
    }
    return taken;
}

} // namespace halcyx::sim
