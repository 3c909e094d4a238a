#include "gui/app/SequenceGuard.h"

#include <QTimer>

namespace halcyx {

bool SequenceGuard::tryRun(const std::function<void()>& action) {
    if (busy())
        return false;
    SequenceGuard guard;
    action();
    return true;
}

void SequenceGuard::whenIdle(QObject* context, std::function<void()> action) {
    const int delay = busy() ? kRetryMs : 0;
    QTimer::singleShot(delay, context, [context, action = std::move(action)]() mutable {
        if (busy())
            whenIdle(context, std::move(action));
        else
            tryRun(action);
    });
}

} // namespace halcyx
