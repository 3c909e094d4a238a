#pragma once

#include "sim/SerialLine.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>

namespace halcyx::sim {

// Whatever sits at the far end of a serial line: an instrument, a module or a GPS receiver.
// It is driven from outside, in time order: bytes from the program arrive through receive(),
// and its own timed actions (scans, delayed answers) run through runEvent(). What it sends
// goes to the line it is attached to.
class LinePeer {
public:
    virtual ~LinePeer() = default;

    // The line this end sends on; nothing is sent while detached.
    void attach(SerialLine* out) { out_ = out; }
    // Switches the device on at time t [ns].
    virtual void start(SimTime t) { (void)t; }
    // One byte from the program arrived at time t [ns].
    virtual void receive(std::uint8_t byte, SimTime t) = 0;
    // This end's line speed [bit/s].
    virtual std::uint32_t baud() const = 0;

    // When the next timed action is due [ns]; kNever when none is pending.
    SimTime nextEventAt() const;
    // Runs the first timed action (due at time t [ns]).
    void runEvent(SimTime t);

protected:
    using Action = std::function<void(SimTime)>;

    void send(SimTime t, std::string_view bytes);
    // Bytes this end has sent that are still on their way at time t [ns].
    std::size_t backlog(SimTime t) const;
    // Runs action at time t [ns]; tag groups actions so that they can be cancelled together.
    void schedule(SimTime t, int tag, Action action);
    void cancel(int tag);

private:
    struct Event {
        int tag;
        Action action;
    };

    SerialLine* out_ = nullptr;
    std::multimap<SimTime, Event> events_;
};

} // namespace halcyx::sim
