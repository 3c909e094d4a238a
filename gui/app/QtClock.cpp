#include "gui/app/QtClock.h"

#include "gui/app/SequenceGuard.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <chrono>

namespace halcyx {

void QtClock::sleepMs(std::uint32_t ms) {
    using namespace std::chrono;
    SequenceGuard guard;
    const auto deadline = steady_clock::now() + milliseconds(ms);
    const auto left = [deadline] {
        return duration_cast<microseconds>(deadline - steady_clock::now()).count();
    };
    const std::int64_t sliceUs = kSliceMs * 1000;
    while (left() > 0) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents,
                                        static_cast<int>(kSliceMs));
        if (const std::int64_t rest = left(); rest > 0)
            QThread::usleep(static_cast<unsigned long>(std::min(rest, sliceUs)));
    }
}

} // namespace halcyx
