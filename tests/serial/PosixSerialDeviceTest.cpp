// The termios device over a real pseudo-terminal pair: raw bytes both ways, rates,
// purge, exclusive use and a far end that disappears.
#include "serial/PosixSerialDevice.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

using halcyx::PosixSerialDevice;
using halcyx::PurgeWhat;

namespace {

// Generous: only a broken line ever waits this long.
constexpr auto kPatience = std::chrono::seconds(5);
constexpr int kPollStepMs = 50;

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Every byte value, so that no line discipline translation or flow-control character
// can hide.
std::string everyByte() {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    return all;
}

class PosixSerialDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[128] = {};
        ASSERT_EQ(openpty(&master_, &observer_, name, nullptr, nullptr), 0) << errno;
        path_ = name;
        ASSERT_TRUE(device_.open(path_)) << device_.lastErrorText();
    }
    void TearDown() override {
        device_.close();
        closeMaster();
        if (observer_ >= 0)
            ::close(observer_);
    }
    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

    // What the far end receives, until n bytes came or patience ran out.
    std::string readAtFarEnd(std::size_t n) {
        std::string got;
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (got.size() < n && std::chrono::steady_clock::now() < deadline) {
            pollfd pfd{master_, POLLIN, 0};
            if (poll(&pfd, 1, kPollStepMs) <= 0)
                continue;
            char buf[512];
            const ssize_t r = ::read(master_, buf, sizeof buf);
            if (r > 0)
                got.append(buf, static_cast<std::size_t>(r));
        }
        return got;
    }
    void sendFromFarEnd(const std::string& bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Waits until the tty holds bytes for the device, without taking them.
    void awaitArrival() {
        pollfd pfd{observer_, POLLIN, 0};
        ASSERT_EQ(poll(&pfd, 1, static_cast<int>(kPatience.count() * 1000)), 1);
    }
    // What the device reads, until n bytes came or patience ran out.
    std::string readFromDevice(std::size_t n) {
        std::string got;
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (got.size() < n && std::chrono::steady_clock::now() < deadline) {
            pollfd pfd{observer_, POLLIN, 0};
            poll(&pfd, 1, kPollStepMs);
            std::uint8_t buf[512];
            const long r = device_.read(buf);
            EXPECT_GE(r, 0) << device_.lastErrorText();
            if (r > 0)
                got.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(r));
        }
        return got;
    }
    bool farEndHasBytes() {
        pollfd pfd{master_, POLLIN, 0};
        return poll(&pfd, 1, 0) == 1;
    }

    int master_ = -1;
    int observer_ = -1; // a second slave descriptor, opened before exclusive use began
    std::string path_;
    PosixSerialDevice device_;
};

TEST_F(PosixSerialDeviceTest, BytesPassUnchangedBothWaysAtEachRate) {
    const std::pair<std::uint32_t, speed_t> rates[] = {{9600, B9600}, {19200, B19200}};
    const std::string payload = everyByte();
    for (const auto& [baud, speed] : rates) {
        SCOPED_TRACE(baud);
        ASSERT_TRUE(device_.setLine(baud)) << device_.lastErrorText();
        termios tio{};
        ASSERT_EQ(tcgetattr(observer_, &tio), 0);
        EXPECT_EQ(cfgetospeed(&tio), speed);
        EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);

        ASSERT_EQ(device_.write(bytesOf(payload)), static_cast<long>(payload.size()));
        EXPECT_EQ(readAtFarEnd(payload.size()), payload);

        sendFromFarEnd(payload);
        EXPECT_EQ(readFromDevice(payload.size()), payload);
        EXPECT_FALSE(farEndHasBytes()) << "nothing is echoed back to the instrument";
    }
}

TEST_F(PosixSerialDeviceTest, ARateWithoutTermiosConstantIsSetOrClearlyRefused) {
    if (!device_.setLine(14400)) {
        EXPECT_NE(device_.lastError(), 0);
        EXPECT_FALSE(device_.lastErrorText().empty());
        return;
    }
    sendFromFarEnd("14400\r");
    EXPECT_EQ(readFromDevice(6), "14400\r");
}

TEST_F(PosixSerialDeviceTest, PurgeDropsWhatArrivedUnread) {
    ASSERT_TRUE(device_.setLine(9600));
    sendFromFarEnd("stale answer\r\n");
    awaitArrival();
    ASSERT_TRUE(device_.purge(PurgeWhat::Receive)) << device_.lastErrorText();
    int waiting = -1;
    ASSERT_EQ(ioctl(observer_, FIONREAD, &waiting), 0);
    EXPECT_EQ(waiting, 0);
    std::uint8_t buf[32];
    EXPECT_EQ(device_.read(buf), 0);
    EXPECT_TRUE(device_.purge(PurgeWhat::Both));
}

TEST_F(PosixSerialDeviceTest, ASecondOpenIsRefusedUntilTheFirstCloses) {
    PosixSerialDevice second;
    EXPECT_FALSE(second.open(path_));
    EXPECT_EQ(second.lastError(), EBUSY);
    EXPECT_NE(second.lastErrorText().find("Another program"), std::string::npos);

    ASSERT_TRUE(device_.close());
    EXPECT_TRUE(second.open(path_)) << second.lastErrorText();
}

TEST_F(PosixSerialDeviceTest, AFarEndThatDisappearsIsReportedNotFatal) {
    ASSERT_TRUE(device_.setLine(9600));
    sendFromFarEnd("12.3");
    EXPECT_EQ(readFromDevice(4), "12.3");
    closeMaster();

    std::uint8_t buf[32];
    EXPECT_EQ(device_.read(buf), -1);
    EXPECT_EQ(device_.lastError(), EIO);
    EXPECT_NE(device_.lastErrorText().find("plugged in"), std::string::npos);
    const std::string more = "S";
    EXPECT_EQ(device_.write(bytesOf(more)), -1);
    EXPECT_TRUE(device_.close());
}

TEST(PosixSerialDevice, UnusablePathsAndClosedDevicesFailWithAReason) {
    PosixSerialDevice device;
    EXPECT_FALSE(device.open("/dev/halcyx-no-such-port"));
    EXPECT_EQ(device.lastError(), ENOENT);
    EXPECT_NE(device.lastErrorText().find("no such serial device"), std::string::npos);

    EXPECT_FALSE(device.open("/dev/null")) << "not a terminal";
    EXPECT_FALSE(device.isOpen());

    std::uint8_t buf[4];
    EXPECT_EQ(device.read(buf), -1);
    EXPECT_EQ(device.write(buf), -1);
    EXPECT_FALSE(device.setLine(9600));
    EXPECT_FALSE(device.purge(PurgeWhat::Both));
    EXPECT_EQ(device.lastError(), EBADF);
}

TEST(PosixSerialDevice, APermissionRefusalPointsToTheDialoutGroup) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root opens any device";
    char path[] = "/tmp/halcyx-ttyXXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    ASSERT_EQ(chmod(path, 0), 0);
    PosixSerialDevice device;
    EXPECT_FALSE(device.open(path));
    EXPECT_EQ(device.lastError(), EACCES);
    EXPECT_NE(device.lastErrorText().find("sudo adduser $USER dialout"), std::string::npos);
    std::remove(path);
}

} // namespace
