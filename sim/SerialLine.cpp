#include "sim/SerialLine.h"

#include <algorithm>

namespace halcyx::sim {

SerialLine::SerialLine(std::uint32_t baud, std::size_t capacity) : capacity_(capacity) {
    setBaud(baud);
}

void SerialLine::setBaud(std::uint32_t baud) {
    baud_ = std::max<std::uint32_t>(baud, 1);
    byteTime_ = kBitsPerByte * kNanosPerSecond / baud_;
}

std::size_t SerialLine::send(SimTime t, std::span<const std::uint8_t> bytes) {
    const std::size_t room = capacity_ - std::min(capacity_, backlog(t));
    const std::size_t count = std::min(room, bytes.size());
    if (count == 0) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), count);
    const bool joinsLastRun = !runs_.empty() && runs_.back().byteTime == byteTime_ &&
                              runs_.back().next < runs_.back().bytes.size() &&
                              runs_.back().end() >= t;
    if (joinsLastRun) {
        runs_.back().bytes.append(text);
    } else {
        SimTime start = t;
        if (!runs_.empty() && runs_.back().next < runs_.back().bytes.size()) {
            start = std::max(start, runs_.back().end());
        }
        runs_.push_back(Run{start, byteTime_, std::string(text), 0});
    }
    return count;
}

std::size_t SerialLine::send(SimTime t, std::string_view text) {
    return send(t, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::size_t SerialLine::backlog(SimTime t) const {
    std::size_t count = 0;
    for (const Run& run : runs_) {
        for (std::size_t i = run.bytes.size(); i > run.next && run.arrival(i - 1) > t; --i) {
            ++count;
        }
    }
    return count;
}

SimTime SerialLine::nextArrival() const {
    return runs_.empty() ? kNever : runs_.front().arrival(runs_.front().next);
}

void SerialLine::deliver(SimTime t, const Sink& sink) {
    while (!runs_.empty()) {
        Run& run = runs_.front();
        while (run.next < run.bytes.size() && run.arrival(run.next) <= t) {
            const SimTime at = run.arrival(run.next);
            const auto byte = static_cast<std::uint8_t>(run.bytes[run.next]);
            ++run.next;
            sink(at, byte);
        }
        if (run.next < run.bytes.size()) {
            return;
        }
        runs_.pop_front();
    }
}

void SerialLine::discardPending(SimTime t) {
    for (Run& run : runs_) {
        std::size_t keep = run.next;
        while (keep < run.bytes.size() && run.arrival(keep) <= t) {
            ++keep;
        }
        run.bytes.resize(keep);
    }
    std::erase_if(runs_, [](const Run& run) { return run.next >= run.bytes.size(); });
}

} // namespace halcyx::sim
