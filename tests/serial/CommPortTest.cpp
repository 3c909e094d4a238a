// CommPort over an in-memory line: command timing and answers, error boxes, closed ports.
#include "core/serial/CommPort.h"

#include "tests/serial/FakeSerialDevice.h"
#include "tests/support/ScriptedOperator.h"

#include <algorithm>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace halcyx;
using test::FakeSerialDevice;
using namespace std::string_literals;

namespace {

constexpr int kFailure = 71;   // any error code that does not mean "device gone"
constexpr int kDeviceGone = 5; // EIO

// One port opened on a fake line, with the clock and the operator it talks to.
struct Rig {
    Rig() {
        EXPECT_TRUE(port.Setup(1, 1024, 1024) && port.SetBaud(9600) &&
                    port.SetHandshake(CommPort::kHandshakeNone));
    }
    void expectPortError(const std::string& description, int code) {
        op.expectMessage(description + " = " + std::to_string(code), "COMMUNICATION PORT ERROR",
                         Icon::Stop);
        op.expectMessage("fake error " + std::to_string(code), "GetLastError", Icon::Information);
    }
    // Where the first device call with this text stands among them all.
    auto event(const std::string& text) const {
        return std::find(device.events.begin(), device.events.end(), text);
    }

    VirtualClock clock;
    FakeSerialDevice device{clock};
    test::ScriptedOperator op;
    CommPort port{device, clock, op, [](int n) { return "/dev/fake" + std::to_string(n); }};
};

class CommPortTest : public ::testing::Test, protected Rig {};

TEST_F(CommPortTest, SendCommandWritesSlowlyThenWaitsTwiceForTheAnswer) {
    port.setDefaultPause(300);
    device.answer("DS", "VEXA 2 SN 01234\r\n", 50);
    device.receive("stale answer\r\n");
    const std::int64_t start = clock.nowMs();

    ASSERT_TRUE(port.SendCommand("DS"));

    ASSERT_EQ(device.writtenText(), "DS\r");
    for (std::size_t i = 0; i < device.writes.size(); ++i)
        EXPECT_EQ(device.writes[i].atMs - start, static_cast<std::int64_t>(30 * i));
    EXPECT_EQ(clock.nowMs() - start, 3 * 30 + 300 + 300);
    EXPECT_EQ(port.lastAnswer(), "VEXA 2 SN 01234\r\n") << "the stale answer was purged";
    EXPECT_LT(event("purge receive"), event("write")) << "purged before the command goes out";
}

TEST_F(CommPortTest, SendCommandTakesAtMostEightyAnswerBytes) {
    device.answer("DD", std::string(CommPort::kCommandAnswerBytes + 20, 'x'));
    ASSERT_TRUE(port.SendCommand("DD"));
    EXPECT_EQ(port.lastAnswer().size(), CommPort::kCommandAnswerBytes);
    std::array<std::uint8_t, 64> rest{};
    EXPECT_EQ(port.Read(rest), 20) << "the rest waits for the next read";
}

TEST_F(CommPortTest, SendCommandShowsARefusalWholeAndFailsQuietlyOnSilence) {
    // NULs on the line neither end the text nor hide a refusal behind them.
    const struct {
        std::optional<std::string> reply;
        bool accepted;
        std::string answer;
    } cases[] = {
        {"?BAD COMMAND\r\n", false, "?BAD COMMAND\r\n"},
        {"\0\0XY BAD COMMAND\r\n\0"s, false, "XY BAD COMMAND\r\n"},
        {"\0OK\r\n"s, true, "OK\r\n"},
        {std::nullopt, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.reply));
        if (c.reply)
            device.answer("XY", *c.reply);
        if (c.reply && !c.accepted)
            op.expectMessage("Error using Command = " + c.answer, "Command Error", Icon::Stop);
        EXPECT_EQ(port.SendCommand(c.reply ? "XY" : "QQ"), c.accepted);
        EXPECT_EQ(port.lastAnswer(), c.answer);
        EXPECT_TRUE(op.done());
    }
}

TEST(CommPort, SystemFailuresShowTheTwoErrorBoxes) {
    std::array<std::uint8_t, 8> buf{};
    using Act = std::function<bool(CommPort&)>; // true when the operation reported success
    const Act setBaud = [](CommPort& p) { return p.SetBaud(19200); };
    const Act setHandshake = [](CommPort& p) {
        return p.SetHandshake(CommPort::kHandshakeXonXoff);
    };
    const Act read = [&buf](CommPort& p) { return p.Read(buf) != 0; };
    const Act readWait = [&buf](CommPort& p) { return p.ReadWait(buf, 100) != 0; };
    const Act write = [](CommPort& p) { return p.WriteByte('S'); };
    const Act send = [](CommPort& p) { return p.SendCommand("SC"); };
    using F = FakeSerialDevice;
    const struct {
        const char* description;
        std::optional<int> F::*failure;
        Act act;
        int code = kFailure;
    } cases[] = {
        {"SetCommState Error", &F::failSetLine, setBaud},
        {"SetCommState Error", &F::failFlowControl, setHandshake},
        {"ReadComm Error", &F::failRead, read},
        {"ReadComm Timeout Error", &F::failRead, readWait},
        {"WriteComm Error", &F::failWrite, write},
        {"WriteComm Error", &F::failWrite, send},
        // An unplugged adapter is reported once and the port closed, so that the next
        // timer tick fails quietly.
        {"ReadComm Error", &F::failRead, read, kDeviceGone},
        {"WriteComm Error", &F::failWrite, write, kDeviceGone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Rig rig;
        rig.device.*c.failure = c.code;
        rig.expectPortError(c.description, c.code);
        EXPECT_FALSE(c.act(rig.port));
        EXPECT_TRUE(rig.op.done());
        EXPECT_EQ(rig.port.baud(), 9600u) << "a refused rate is not taken for the current one";
        EXPECT_EQ(rig.port.isOpen(), c.code != kDeviceGone);
        EXPECT_FALSE(!rig.port.isOpen() && c.act(rig.port));
    }
}

TEST_F(CommPortTest, WriteSlowStopsAtTheFirstFailure) {
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
    EXPECT_EQ(port.port(), 2) << "owners name the port in their own message";

    const std::size_t deviceCalls = device.events.size();
    const std::int64_t start = clock.nowMs();
    std::array<std::uint8_t, 8> buf{};
    EXPECT_EQ(port.Read(buf) + port.ReadWait(buf, 300), 0);
    EXPECT_FALSE(port.WriteByte('S') || port.WriteSlow("SS", 20) || port.SendCommand("DS"));
    EXPECT_FALSE(port.SetBaud(9600) || port.SetHandshake(CommPort::kHandshakeNone));
    EXPECT_FALSE(port.Purge(PurgeWhat::Both));
    EXPECT_TRUE(port.Close());
    // Ports beyond COM1..COM4: Setup is quiet (its owner shows its own message).
    EXPECT_FALSE(port.Setup(5, 1024, 1024) || port.Setup(0, 1024, 1024));
    expectPortError("Invalid Port number in SetPort()", 13);
    EXPECT_FALSE(port.OpenPort(5));
    EXPECT_EQ(device.events.size(), deviceCalls) << "the device is not touched";
    EXPECT_EQ(clock.nowMs(), start) << "nor is any pause taken";
}

TEST_F(CommPortTest, SetupClosesAnOpenPortFirstEvenWhenTheCloseFails) {
    device.failClose = kFailure;
    op.expectMessage("Error closing comport", "COMMUNICATION PORT ERROR", Icon::Stop);
    EXPECT_TRUE(port.Setup(3, 4096, 1024));
    EXPECT_LT(event("close"), event("open /dev/fake3"));
    EXPECT_EQ(port.port(), 3);
    EXPECT_EQ(port.inputFigure(), 4096);
}

TEST_F(CommPortTest, HandshakeModesBecomeTheLineFlowControl) {
    const std::pair<int, FlowControl> cases[] = {
        {CommPort::kHandshakeNone, FlowControl::None},
        {CommPort::kHandshakeHardware, FlowControl::Hardware},
        {CommPort::kHandshakeXonXoff, FlowControl::XonXoff},
        {7, FlowControl::None}};
    ASSERT_TRUE(port.SetBaud(2400));
    for (const auto& [mode, flow] : cases) {
        ASSERT_TRUE(port.SetHandshake(mode));
        EXPECT_EQ(device.flow, flow) << mode;
        EXPECT_EQ(device.baud, 2400u) << "the rate stays";
    }
}

} // namespace
