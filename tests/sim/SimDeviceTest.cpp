// The simulated port: bytes become readable after their transmission time, the bounded
// receive queue, purges, baud-rate mismatch, line faults and a device that disappears.

#include "SimLink.h"
#include "VexaModel.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

// Answers nothing; sends what the test asks for, when it asks.
class Talker : public LinePeer {
public:
    void receive(std::uint8_t byte, SimTime t) override {
        received += static_cast<char>(byte);
        times.push_back(t);
    }
    std::uint32_t baud() const override { return 9600; }
    void say(SimTime t, std::string_view text) { send(t, text); }

    std::string received;
    std::vector<SimTime> times;
};

struct Bench {
    VirtualClock clock;
    Talker talker;
    SimDevice device{clock, talker};
    Bench() {
        device.open("/dev/sim");
        device.setLine(9600);
    }
    std::string read() {
        std::vector<std::uint8_t> buf(65536);
        const long n = device.read(buf);
        return n <= 0 ? std::string() : std::string(buf.begin(), buf.begin() + n);
    }
};

TEST(SimDevice, BytesArriveAfterTenBitTimesEach) {
    Bench bench;
    bench.talker.say(0, "0123456789"); // 10 bytes at 9600 baud: 10.4 ms
    EXPECT_EQ(bench.read(), "");
    bench.clock.advanceMs(5);
    EXPECT_EQ(bench.read(), "0123");
    bench.clock.advanceMs(6);
    EXPECT_EQ(bench.read(), "456789");
}

TEST(SimDevice, ProgramBytesReachTheFarEndInOrderAndOnTime) {
    Bench bench;
    const std::uint8_t bytes[] = {'A', 'B'};
    bench.device.write(bytes);
    bench.clock.advanceMs(3);
    bench.device.advance();
    ASSERT_EQ(bench.talker.received, "AB");
    EXPECT_EQ(bench.talker.times[0], 10 * kNanosPerSecond / 9600);
    EXPECT_EQ(bench.talker.times[1], 2 * (10 * kNanosPerSecond / 9600));
}

TEST(SimDevice, ReceiveQueueIsBoundedAcrossAHugeTimeJump) {
    VirtualClock clock;
    Instrument::Config config;
    config.faults.streamingAtPowerUp = true;
    VexaModel vexa(VexaModel::Generation::Vexa3, config);
    SimDevice device(clock, vexa);
    device.open("/dev/sim");
    device.setLine(9600);
    clock.advanceMs(3'600'000); // an hour of scans nobody reads
    EXPECT_EQ(device.pending(), SimDevice::kReceiveQueueBytes);
}

TEST(SimDevice, PurgeDropsReceivedBytesAndUnsentOnes) {
    Bench bench;
    bench.talker.say(0, "old");
    bench.clock.advanceMs(10);
    const std::uint8_t bytes[] = {'x', 'y', 'z'};
    bench.device.write(bytes);
    EXPECT_TRUE(bench.device.purge(PurgeWhat::Both));
    bench.clock.advanceMs(10);
    EXPECT_EQ(bench.read(), "");
    EXPECT_EQ(bench.talker.received, "");
}

TEST(SimDevice, WrongBaudRateTurnsBothDirectionsIntoNoise) {
    Bench bench;
    bench.device.setLine(1200);
    bench.talker.say(0, "Open\r\n");
    const std::uint8_t bytes[] = {'S'};
    bench.device.write(bytes);
    bench.clock.advanceMs(100);
    const std::string heard = bench.read();
    ASSERT_EQ(heard.size(), 6u);
    for (const char c : heard) {
        EXPECT_GE(static_cast<unsigned char>(c), 0x80);
    }
    ASSERT_EQ(bench.talker.received.size(), 1u);
    EXPECT_NE(bench.talker.received, "S");
}

TEST(SimDevice, LineFaultsDropAndCorruptEveryNthByte) {
    Bench bench;
    bench.device.lineFaults().dropEveryNth = 3;
    bench.talker.say(0, "abcdef");
    bench.clock.advanceMs(10);
    EXPECT_EQ(bench.read(), "abde");

    bench.device.lineFaults() = {};
    bench.device.lineFaults().corruptEveryNth = 2;
    bench.talker.say(bench.clock.nowMs() * kNanosPerMs, "abcd"); // bytes 7 to 10 of the line
    bench.clock.advanceMs(10);
    const std::string heard = bench.read();
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0], 'a');
    EXPECT_EQ(static_cast<unsigned char>(heard[1]), static_cast<unsigned char>(~'b'));
}

TEST(SimDevice, ClosedPortLosesWhatArrives) {
    Bench bench;
    bench.device.close();
    bench.talker.say(0, "lost");
    bench.clock.advanceMs(10);
    std::uint8_t buf[8];
    EXPECT_EQ(bench.device.read(buf), -1);
    EXPECT_EQ(bench.device.lastError(), EBADF);
    ASSERT_TRUE(bench.device.open("/dev/sim"));
    EXPECT_EQ(bench.read(), "");
}

TEST(SimDevice, UnpluggedDeviceFailsEveryOperation) {
    Bench bench;
    bench.device.unplug();
    std::uint8_t buf[8] = {};
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

} // namespace
} // namespace halcyx::sim::test
