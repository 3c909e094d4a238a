// The termios device over a real pseudo-terminal pair: raw bytes both ways, rates,
// purge, exclusive use and a far end that disappears.
#include "core/serial/PosixSerialDevice.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <string>
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

bool readable(int fd, int timeoutMs) {
    pollfd pfd{fd, POLLIN, 0};
    return poll(&pfd, 1, timeoutMs) == 1;
}

// What take(buffer) delivers until n bytes came or patience ran out; fd tells when to try.
template <typename Take> std::string collect(int fd, std::size_t n, Take take) {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (got.size() < n && std::chrono::steady_clock::now() < deadline) {
        readable(fd, kPollStepMs);
        std::uint8_t buf[512];
        const long r = take(std::span<std::uint8_t>(buf));
        if (r > 0)
            got.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(r));
    }
    return got;
}

class PosixSerialDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[128] = {};
        ASSERT_EQ(openpty(&master_, &observer_, name, nullptr, nullptr), 0) << errno;
        ASSERT_EQ(fcntl(master_, F_SETFL, O_NONBLOCK), 0);
        path_ = name;
        ASSERT_TRUE(device_.open(path_)) << device_.lastErrorText();
    }
    void TearDown() override {
        device_.close();
        for (int fd : {master_, observer_})
            if (fd >= 0)
                ::close(fd);
    }

    std::string readAtFarEnd(std::size_t n) {
        return collect(master_, n, [&](std::span<std::uint8_t> b) {
            return static_cast<long>(::read(master_, b.data(), b.size()));
        });
    }
    std::string readFromDevice(std::size_t n) {
        return collect(observer_, n, [&](std::span<std::uint8_t> b) {
            const long r = device_.read(b);
            EXPECT_GE(r, 0) << device_.lastErrorText();
            return r;
        });
    }
    void sendFromFarEnd(const std::string& bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    int master_ = -1;
    int observer_ = -1; // a second slave descriptor, opened before exclusive use began
    std::string path_;
    PosixSerialDevice device_;
};

TEST_F(PosixSerialDeviceTest, BytesPassUnchangedBothWaysAtEachRate) {
    // Every byte value, so that no line discipline translation or flow-control character
    // can hide.
    std::string payload;
    for (int b = 0; b < 256; ++b)
        payload.push_back(static_cast<char>(b));
    const std::pair<std::uint32_t, speed_t> rates[] = {{9600, B9600}, {19200, B19200}};
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
        EXPECT_FALSE(readable(master_, 0)) << "nothing is echoed back to the instrument";
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
    ASSERT_TRUE(readable(observer_, kPollStepMs * 100));
    ASSERT_TRUE(device_.purge(PurgeWhat::Receive)) << device_.lastErrorText();
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
    ::close(master_);
    master_ = -1;

    std::uint8_t buf[32];
    EXPECT_EQ(device_.read(buf), -1);
    EXPECT_EQ(device_.lastError(), EIO);
    EXPECT_NE(device_.lastErrorText().find("plugged in"), std::string::npos);
    EXPECT_EQ(device_.write(bytesOf("S")), -1);
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
    EXPECT_EQ(device.read(buf) + device.write(buf), -2);
    EXPECT_FALSE(device.setLine(9600) || device.purge(PurgeWhat::Both));
    EXPECT_EQ(device.lastError(), EBADF);

    char path[] = "/tmp/halcyx-ttyXXXXXX";
    ::close(mkstemp(path));
    ASSERT_EQ(chmod(path, 0), 0);
    if (geteuid() != 0) { // root opens any device
        EXPECT_FALSE(device.open(path));
        EXPECT_EQ(device.lastError(), EACCES);
        EXPECT_NE(device.lastErrorText().find("sudo adduser $USER dialout"), std::string::npos);
    }
    std::remove(path);
}

} // namespace
