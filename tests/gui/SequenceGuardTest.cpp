// Window timers and queued actions never run inside a sequence that sleeps on the GUI
// clock, yet the clock keeps delivering paint and timer events while it sleeps.
#include "gui/app/SequenceGuard.h"

#include "gui/app/QtClock.h"
#include "tests/gui/GuiTestSupport.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace halcyx {
namespace {

constexpr int kWaitMs = 2000; // for what the event loop should soon have done

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
    EXPECT_TRUE(QTest::qWaitFor([&] { return ran > 0; }, kWaitMs)) << "ticks run again after";
}

TEST(SequenceGuard, QueuedActionsRunFromTheLoopAfterTheSequenceAndHoldTheGuard) {
    test::guiApp();
    QtClock clock;
    QObject context;
    std::vector<std::string> order;
    {
        SequenceGuard sequence;
        SequenceGuard::whenIdle(&context, [&] {
            order.push_back(SequenceGuard::busy() ? "queued, guarded" : "queued, unguarded");
        });
        clock.sleepMs(2 * SequenceGuard::kRetryMs + 20);
        order.push_back("sequence done");
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return order.size() == 2; }, kWaitMs));
    EXPECT_EQ(order, (std::vector<std::string>{"sequence done", "queued, guarded"}));
    EXPECT_FALSE(SequenceGuard::busy());
}

TEST(SequenceGuard, NestedRunsAreRefused) {
    bool inner = true;
    EXPECT_TRUE(SequenceGuard::tryRun([&] { inner = SequenceGuard::tryRun([] {}); }));
    EXPECT_FALSE(inner);
}

} // namespace
} // namespace halcyx
