// CommPort over an in-memory line: command timing and answers, error boxes, closed ports.
#include "serial/CommPort.h"

#include "FakeSerialDevice.h"
#include "ScriptedOperator.h"

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <string>

using halcyx::CommPort;
using halcyx::FlowControl;
using halcyx::Icon;
using halcyx::PurgeWhat;
using halcyx::VirtualClock;
using halcyx::test::FakeSerialDevice;
using halcyx::test::ScriptedOperator;

namespace {

constexpr int kFailure = 71;   // any error code that does not mean "device gone"
constexpr int kDeviceGone = 5; // EIO

// One port on a fake line, with the clock and the operator it talks to.
struct Rig {
    bool openPort() {
        return port.Setup(1, 1024, 1024) && port.SetBaud(9600) &&
               port.SetHandshake(CommPort::kHandshakeNone);
    }
    void expectPortError(const std::string& description, int code) {
        op.expectMessage(description + " = " + std::to_string(code), "COMMUNICATION PORT ERROR",
                         Icon::Stop);
        op.expectMessage("fake error " + std::to_string(code), "GetLastError", Icon::Information);
    }

    VirtualClock clock;
    FakeSerialDevice device{clock};
    ScriptedOperator op;
    CommPort port{device, clock, op, [](int n) { return "/dev/fake" + std::to_string(n); }};
};

class CommPortTest : public ::testing::Test, protected Rig {
protected:
    void openPort() { ASSERT_TRUE(Rig::openPort()); }
};

TEST_F(CommPortTest, SendCommandWritesSlowlyThenWaitsTwiceForTheAnswer) {
    openPort();
    port.SetDefaultPause(300);
    device.answer("DS", "VEXA 2 SN 01234\r\n", 50);
    device.receive("stale answer\r\n");
    const std::int64_t start = clock.nowMs();

    ASSERT_TRUE(port.SendCommand("DS"));

    ASSERT_EQ(device.writtenText(), "DS\r");
    for (std::size_t i = 0; i < device.writes.size(); ++i)
        EXPECT_EQ(device.writes[i].atMs - start, static_cast<std::int64_t>(30 * i));
    EXPECT_EQ(clock.nowMs() - start, 3 * 30 + 300 + 300);
    EXPECT_EQ(port.LastAnswer(), "VEXA 2 SN 01234\r\n") << "the stale answer was purged";
    const auto purge = std::find(device.events.begin(), device.events.end(), "purge receive");
    const auto write = std::find(device.events.begin(), device.events.end(), "write");
    EXPECT_LT(purge, write) << "the receive side is purged before the command goes out";
}

TEST_F(CommPortTest, SendCommandTakesAtMostEightyAnswerBytes) {
    openPort();
    const std::string reply(CommPort::kCommandAnswerBytes + 20, 'x');
    device.answer("DD", reply);
    ASSERT_TRUE(port.SendCommand("DD"));
    EXPECT_EQ(port.LastAnswer().size(), CommPort::kCommandAnswerBytes);
    std::array<std::uint8_t, 64> rest{};
    EXPECT_EQ(port.Read(rest), 20) << "the rest waits for the next read";
}

TEST_F(CommPortTest, SendCommandShowsARefusalWholeAndFails) {
    struct Case {
        std::string reply;
        std::string shown;
    };
    const Case cases[] = {
        {"?BAD COMMAND\r\n", "?BAD COMMAND\r\n"},
        // NULs on the line neither end the text nor hide the refusal behind them.
        {std::string("\0\0XY BAD COMMAND\r\n\0", 19), "XY BAD COMMAND\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        openPort();
        device.answerUnknown(c.reply);
        op.expectMessage("Error using Command = " + c.shown, "Command Error", Icon::Stop);
        EXPECT_FALSE(port.SendCommand("XY"));
    }
}

TEST_F(CommPortTest, SendCommandAcceptsNoisyAnswersAndFailsQuietlyOnSilence) {
    openPort();
    device.answer("TS", std::string("\0OK\r\n", 5));
    EXPECT_TRUE(port.SendCommand("TS"));
    EXPECT_EQ(port.LastAnswer(), "OK\r\n");

    EXPECT_FALSE(port.SendCommand("QQ")) << "no answer at all";
    EXPECT_EQ(port.LastAnswer(), "");
}

TEST_F(CommPortTest, SystemFailuresShowTheTwoErrorBoxesAndKeepThePortOpen) {
    struct Case {
        const char* description;
        std::function<void(FakeSerialDevice&)> inject;
        std::function<bool(CommPort&)> act; // true when the operation reported success
    };
    std::array<std::uint8_t, 8> buf{};
    const Case cases[] = {
        {"SetCommState Error", [](FakeSerialDevice& d) { d.failSetLine = kFailure; },
         [](CommPort& p) { return p.SetBaud(19200); }},
        {"SetCommState Error", [](FakeSerialDevice& d) { d.failFlowControl = kFailure; },
         [](CommPort& p) { return p.SetHandshake(CommPort::kHandshakeHardware); }},
        {"ReadComm Error", [](FakeSerialDevice& d) { d.failRead = kFailure; },
         [&buf](CommPort& p) { return p.Read(buf) != 0; }},
        {"ReadComm Timeout Error", [](FakeSerialDevice& d) { d.failRead = kFailure; },
         [&buf](CommPort& p) { return p.ReadWait(buf, 100) != 0; }},
        {"WriteComm Error", [](FakeSerialDevice& d) { d.failWrite = kFailure; },
         [](CommPort& p) { return p.WriteByte('S'); }},
        {"WriteComm Error", [](FakeSerialDevice& d) { d.failWrite = kFailure; },
         [](CommPort& p) { return p.SendCommand("SC"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        Rig rig;
        ASSERT_TRUE(rig.openPort());
        c.inject(rig.device);
        rig.expectPortError(c.description, kFailure);
        EXPECT_FALSE(c.act(rig.port));
        EXPECT_TRUE(rig.op.done());
        EXPECT_TRUE(rig.port.IsOpen());
    }
}

TEST_F(CommPortTest, WriteSlowStopsAtTheFirstFailure) {
    openPort();
    device.failWritesAfter(2, kFailure);
    const std::int64_t start = clock.nowMs();
    expectPortError("WriteComm Error", kFailure);
    EXPECT_FALSE(port.WriteSlow("ABCDE", 10));
    EXPECT_EQ(device.writtenText(), "AB");
    EXPECT_EQ(clock.nowMs() - start, 20);
    EXPECT_TRUE(port.WriteSlow("", 10)) << "nothing to write is no failure";
}

TEST_F(CommPortTest, AFailedOpenReportsOnceThenEveryOperationFailsQuietly) {
    device.failOpen = 13;
    expectPortError("OpenComm Error(COM2)", 13);
    EXPECT_FALSE(port.Setup(2, 1024, 1024));
    EXPECT_EQ(device.events.back(), "open /dev/fake2");
    EXPECT_EQ(port.Port(), 2) << "owners name the port in their own message";

    const std::size_t deviceCalls = device.events.size();
    const std::int64_t start = clock.nowMs();
    std::array<std::uint8_t, 8> buf{};
    EXPECT_EQ(port.Read(buf), 0);
    EXPECT_EQ(port.ReadWait(buf, 300), 0);
    EXPECT_FALSE(port.WriteByte('S'));
    EXPECT_FALSE(port.WriteSlow("SS", 20));
    EXPECT_FALSE(port.SendCommand("DS"));
    EXPECT_FALSE(port.SetBaud(9600));
    EXPECT_FALSE(port.SetHandshake(CommPort::kHandshakeNone));
    EXPECT_FALSE(port.Purge(PurgeWhat::Both));
    EXPECT_TRUE(port.Close());
    EXPECT_EQ(device.events.size(), deviceCalls) << "the device is not touched";
    EXPECT_EQ(clock.nowMs(), start) << "nor is any pause taken";
}

TEST_F(CommPortTest, SetupClosesAnOpenPortFirstEvenWhenTheCloseFails) {
    openPort();
    device.failClose = kFailure;
    op.expectMessage("Error closing comport", "COMMUNICATION PORT ERROR", Icon::Stop);
    EXPECT_TRUE(port.Setup(3, 4096, 1024));
    const auto close = std::find(device.events.begin(), device.events.end(), "close");
    const auto reopen = std::find(device.events.begin(), device.events.end(), "open /dev/fake3");
    EXPECT_LT(close, reopen);
    EXPECT_EQ(port.Port(), 3);
    EXPECT_EQ(port.InputFigure(), 4096);
}

TEST_F(CommPortTest, PortNumbersOutsideOneToFourAreRefused) {
    EXPECT_FALSE(port.Setup(5, 1024, 1024)) << "quietly: the owner shows its own message";
    EXPECT_FALSE(port.Setup(0, 1024, 1024));
    expectPortError("Invalid Port number in SetPort()", 0);
    EXPECT_FALSE(port.OpenPort(5));
    EXPECT_TRUE(device.events.empty());
}

TEST_F(CommPortTest, AVanishedDeviceIsReportedOnceAndThePortClosed) {
    openPort();
    device.failRead = kDeviceGone;
    std::array<std::uint8_t, 8> buf{};
    expectPortError("ReadComm Error", kDeviceGone);
    EXPECT_EQ(port.Read(buf), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Read(buf), 0) << "the next timer tick fails quietly";
}

TEST_F(CommPortTest, HandshakeModesBecomeTheLineFlowControl) {
    const std::pair<int, FlowControl> cases[] = {
        {CommPort::kHandshakeNone, FlowControl::None},
        {CommPort::kHandshakeHardware, FlowControl::Hardware},
        {CommPort::kHandshakeXonXoff, FlowControl::XonXoff},
        {7, FlowControl::None},
    };
    openPort();
    ASSERT_TRUE(port.SetBaud(2400));
    for (const auto& [mode, flow] : cases) {
        ASSERT_TRUE(port.SetHandshake(mode));
        EXPECT_EQ(device.flow, flow) << mode;
        EXPECT_EQ(device.baud, 2400u) << "the rate stays";
    }
}

TEST_F(CommPortTest, ARefusedRateIsNotTakenForTheCurrentOne) {
    openPort();
    device.failSetLine = kFailure;
    expectPortError("SetCommState Error", kFailure);
    EXPECT_FALSE(port.SetBaud(14400));
    EXPECT_EQ(port.Baud(), 9600u);
}

} // namespace
