#pragma once

#include <QObject>
#include <functional>

namespace halcyx {

// Keeps window timers and queued actions out of a running command sequence. While core code
// sleeps, the GUI clock lets the window paint, and Qt then also delivers timer and posted
// events; a timer slot or queued action that ran now would talk to the port in the middle
// of someone else's exchange. Sleeps and guarded slots hold a guard; timer slots skip a
// tick while one is held, queued actions wait until none is.
class SequenceGuard {
public:
    SequenceGuard() { ++depth_; }
    ~SequenceGuard() { --depth_; }
    SequenceGuard(const SequenceGuard&) = delete;
    SequenceGuard& operator=(const SequenceGuard&) = delete;

    static bool busy() { return depth_ > 0; }

    // Runs the action under a guard unless a sequence runs; true if it ran. For timer slots:
    // a skipped tick is taken up by the next one.
    static bool tryRun(const std::function<void()>& action);

    // Runs the action from the event loop after the current one has returned, and never
    // inside a running sequence: while one runs, it is retried a little later. Dropped if
    // the context object goes away first.
    static void whenIdle(QObject* context, std::function<void()> action);

    // How long a queued action waits before it looks again [ms].
    static constexpr int kRetryMs = 50;

private:
    static inline int depth_ = 0;
};

} // namespace halcyx
