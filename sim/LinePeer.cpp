#include "sim/LinePeer.h"

#include <utility>

namespace halcyx::sim {

SimTime LinePeer::nextEventAt() const {
    return events_.empty() ? kNever : events_.begin()->first;
}

void LinePeer::runEvent(SimTime t) {
    if (events_.empty()) {
        return;
    }
    Action action = std::move(events_.begin()->second.action);
    events_.erase(events_.begin());
    action(t);
}

void LinePeer::send(SimTime t, std::string_view bytes) {
    if (out_ != nullptr) {
        out_->send(t, bytes);
    }
}

std::size_t LinePeer::backlog(SimTime t) const {
    return out_ == nullptr ? 0 : out_->backlog(t);
}

void LinePeer::schedule(SimTime t, int tag, Action action) {
    events_.emplace(t, Event{tag, std::move(action)});
}

void LinePeer::cancel(int tag) {
    std::erase_if(events_, [tag](const auto& entry) { return entry.second.tag == tag; });
}

} // namespace halcyx::sim
