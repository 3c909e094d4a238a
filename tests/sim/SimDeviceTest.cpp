// The simulated port: purges, the bounded receive queue, line faults, a device that
// disappears, and the traffic log's closed bursts.

#include "tests/support/SimRig.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

using halcyx::test::SimRig;

// Answers nothing; sends what the test asks for, when it asks.
class Talker : public LinePeer {
public:
    void receive(std::uint8_t byte, SimTime) override { received += static_cast<char>(byte); }
    std::uint32_t baud() const override { return 9600; }
    void say(SimTime t, std::string_view text) { send(t, text); }

    std::string received;
};

// The byte times themselves show in the command layer's exact traffic logs.
TEST(SimDevice, PurgeDropsWhatHasNotCrossedTheLineEitherWay) {
    SimRig bench(std::make_unique<Talker>());
    bench.peerAs<Talker>().say(0, "old");
    bench.clock.advanceMs(10);
    bench.write("xyz", 0);
    bench.purge();
    bench.clock.advanceMs(10);
    EXPECT_EQ(bench.read(), "");
    bench.device.advance();
    EXPECT_EQ(bench.peerAs<Talker>().received, "");
}

TEST(SimDevice, ReceiveQueueIsBoundedAcrossAHugeTimeJump) {
    SimRig vexa(ProductCode::Vexa3, [](auto& c) { c.faults.streamingAtPowerUp = true; });
    vexa.clock.advanceMs(3'600'000); // an hour of scans nobody reads
    EXPECT_EQ(vexa.device.pending(), SimDevice::kReceiveQueueBytes);
}

TEST(SimDevice, LineFaultsDropAndCorruptEveryNthByte) {
    SimRig bench(std::make_unique<Talker>());
    bench.device.lineFaults().dropEveryNth = 3;
    bench.peerAs<Talker>().say(0, "abcdef");
    bench.clock.advanceMs(10);
    EXPECT_EQ(bench.read(), "abde");

    bench.device.lineFaults() = {.corruptEveryNth = 2};
    bench.peerAs<Talker>().say(bench.clock.nowMs() * kNanosPerMs,
                               "abcd"); // bytes 7 to 10 of the line
    bench.clock.advanceMs(10);
    EXPECT_EQ(bench.read(), (std::string{'a', char(~'b'), 'c', char(~'d')}));
}

TEST(SimDevice, ClosedOrUnpluggedPortFailsAndLosesWhatArrives) {
    SimRig bench(std::make_unique<Talker>());
    bench.device.close();
    bench.peerAs<Talker>().say(0, "lost");
    bench.clock.advanceMs(10);
    std::uint8_t buf[8] = {};
    EXPECT_EQ(bench.device.read(buf), -1);
    EXPECT_EQ(bench.device.lastError(), EBADF);
    ASSERT_TRUE(bench.device.open("/dev/sim"));
    EXPECT_EQ(bench.read(), "");

    bench.device.unplug();
    EXPECT_EQ(bench.device.read(buf), -1);
    EXPECT_EQ(bench.device.write(buf), -1);
    EXPECT_EQ(bench.device.lastError(), EIO);
    EXPECT_FALSE(bench.device.lastErrorText().empty());
    EXPECT_FALSE(bench.device.purge(PurgeWhat::Receive));
    bench.device.plugIn();
    EXPECT_EQ(bench.device.read(buf), 0);
    EXPECT_FALSE(bench.device.open("/dev/sim")) << "still open: exclusive";
    EXPECT_EQ(bench.device.lastError(), EBUSY);
}

TEST(TrafficLog, TakesOnlyBurstsThatCanNoLongerGrow) {
    TrafficLog log;
    log.record(0, Direction::FromProgram, "a");
    log.record(50, Direction::ToProgram, "b");
    EXPECT_TRUE(log.takeClosed(100).empty());
    const auto closed = log.takeClosed(101);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].bytes, "a");
    log.record(120, Direction::ToProgram, "c");
    EXPECT_EQ(log.text(), "50 > bc\n");
}

} // namespace
} // namespace halcyx::sim::test
