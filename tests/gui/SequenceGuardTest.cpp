// Window timers and queued actions never run inside a sequence that sleeps on the GUI
// clock, yet the clock keeps delivering paint and timer events while it sleeps.
#include "app/SequenceGuard.h"

#include "GuiTestSupport.h"
#include "app/QtClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

// Spins the event loop until the condition holds or the time runs out [ms].
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 2000) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

TEST(SequenceGuard, TimerTicksSkipWhileTheClockSleeps) {
    test::guiApp();
    QtClock clock;
    int fired = 0;
    int ran = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++fired;
        SequenceGuard::tryRun([&] { ++ran; });
    });
    timer.start(5);

    QElapsedTimer elapsed;
    elapsed.start();
    clock.sleepMs(80);
    EXPECT_GE(elapsed.elapsed(), 80);
    EXPECT_GT(fired, 0) << "the sleeping clock still delivers timer events";
    EXPECT_EQ(ran, 0) << "but no tick ran inside the sequence";

    EXPECT_TRUE(waitFor([&] { return ran > 0; })) << "ticks run again after the sequence";
}

TEST(SequenceGuard, QueuedActionsWaitForTheSequenceToEnd) {
    test::guiApp();
    QtClock clock;
    QObject context;
    std::vector<std::string> order;
    {
        SequenceGuard sequence;
        SequenceGuard::whenIdle(&context, [&] { order.push_back("queued"); });
        clock.sleepMs(2 * SequenceGuard::kRetryMs + 20);
        order.push_back("sequence done");
    }
    EXPECT_TRUE(waitFor([&] { return order.size() == 2; }));
    EXPECT_EQ(order, (std::vector<std::string>{"sequence done", "queued"}));
}

TEST(SequenceGuard, QueuedActionsRunAfterTheCurrentOneAndHoldTheGuard) {
    test::guiApp();
    QObject context;
    bool ran = false;
    bool busyInside = false;
    SequenceGuard::whenIdle(&context, [&] {
        ran = true;
        busyInside = SequenceGuard::busy();
    });
    EXPECT_FALSE(ran) << "not at once, from the event loop";
    EXPECT_TRUE(waitFor([&] { return ran; }));
    EXPECT_TRUE(busyInside);
    EXPECT_FALSE(SequenceGuard::busy());
}


TEST(SequenceGuard, NestedRunsAreRefused) {
    bool inner = true;
    EXPECT_TRUE(SequenceGuard::tryRun([&] { inner = SequenceGuard::tryRun([] {}); }));
    EXPECT_FALSE(inner);
}

} // namespace
} // namespace halcyx
