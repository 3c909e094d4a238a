// CommPort over the simulated line: command timing and answers, error boxes, closed ports.
#include "core/serial/CommPort.h"

#include "tests/support/ScriptedPeer.h"
#include "tests/support/SimRig.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace halcyx;
using namespace std::string_literals;

namespace {

constexpr int kFailure = EPROTO; // any error code that does not mean "device gone"
constexpr int kDeviceGone = EIO;

// The rig's port with a quiet scripted peer that answers its table without echo.
struct Rig : test::SimRig {
    Rig() : SimRig(std::make_unique<test::ScriptedPeer>(kBaud)) {
        peerAs<test::ScriptedPeer>().setEcho(false);
        EXPECT_TRUE(port.SetHandshake(CommPort::kHandshakeNone));
    }
    void answer(std::map<std::string, std::string> table) {
        peerAs<test::ScriptedPeer>().answer(std::move(table));
    }
    void expectPortError(const std::string& description, int code) {
        op.expectMessage(description + " = " + std::to_string(code), "COMMUNICATION PORT ERROR",
                         Icon::Stop);
        op.expectMessage(std::strerror(code), "GetLastError", Icon::Information);
    }
};

class CommPortTest : public ::testing::Test, protected Rig {};

TEST_F(CommPortTest, SendCommandWritesSlowlyThenWaitsTwiceForTheAnswer) {
    port.setDefaultPause(300);
    answer({{"DS", "VEXA 2 SN 01234\r\n"}, {"", "stale answer\r\n"}});
    write("\r");
    sleep(100);
    const std::int64_t start = clock.nowMs();

    ASSERT_TRUE(port.SendCommand("DS"));

    EXPECT_EQ(peerAs<test::ScriptedPeer>().lines().back(), "DS");
    EXPECT_EQ(clock.nowMs() - start, 3 * 30 + 300 + 300);
    EXPECT_EQ(port.lastAnswer(), "VEXA 2 SN 01234\r\n") << "the stale answer was purged";
}

TEST_F(CommPortTest, SendCommandTakesEightyBytesShowsARefusalWholeAndFailsQuietlyOnSilence) {
    // NULs on the line neither end the text nor hide a refusal behind them.
    const std::string overlong(CommPort::kCommandAnswerBytes + 20, 'x');
    const struct {
        std::optional<std::string> reply;
        bool accepted;
        std::string answer;
        long rest = 0; // bytes left for the next read
    } cases[] = {
        {overlong, true, overlong.substr(0, CommPort::kCommandAnswerBytes), 20},
        {"?BAD COMMAND\r\n", false, "?BAD COMMAND\r\n"},
        {"\0\0XY BAD COMMAND\r\n\0"s, false, "XY BAD COMMAND\r\n"},
        {"\0OK\r\n"s, true, "OK\r\n"},
        {std::nullopt, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.reply));
        if (c.reply)
            answer({{"XY", *c.reply}});
        if (c.reply && !c.accepted)
            op.expectMessage("Error using Command = " + c.answer, "Command Error", Icon::Stop);
        EXPECT_EQ(port.SendCommand(c.reply ? "XY" : "QQ"), c.accepted);
        EXPECT_EQ(port.lastAnswer(), c.answer);
        std::array<std::uint8_t, 64> rest{};
        EXPECT_EQ(port.Read(rest), c.rest);
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
    using F = sim::PortFaults;
    const struct {
        const char* description;
        std::optional<int> F::*failure;
        Act act;
        int code = kFailure;
    } cases[] = {
        {"SetCommState Error", &F::setLine, setBaud},
        {"SetCommState Error", &F::flowControl, setHandshake},
        {"ReadComm Error", &F::read, read},
        {"ReadComm Timeout Error", &F::read, readWait},
        {"WriteComm Error", &F::write, write},
        {"WriteComm Error", &F::write, send},
        // An unplugged adapter is reported once and the port closed, so that the next
        // timer tick fails quietly.
        {"ReadComm Error", &F::read, read, kDeviceGone},
        {"WriteComm Error", &F::write, write, kDeviceGone},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        Rig rig;
        rig.device.portFaults.*c.failure = c.code;
        rig.expectPortError(c.description, c.code);
        EXPECT_FALSE(c.act(rig.port));
        EXPECT_TRUE(rig.op.done());
        EXPECT_EQ(rig.port.baud(), 9600u) << "a refused rate is not taken for the current one";
        EXPECT_EQ(rig.port.isOpen(), c.code != kDeviceGone);
        EXPECT_FALSE(!rig.port.isOpen() && c.act(rig.port));
    }
}

TEST_F(CommPortTest, WriteSlowStopsAtTheFirstFailure) {
    device.portFaults.write = kFailure;
    device.portFaults.okWrites = 2;
    const std::int64_t start = clock.nowMs();
    expectPortError("WriteComm Error", kFailure);
    EXPECT_FALSE(port.WriteSlow("ABCDE", 10));
    EXPECT_EQ(received(), "0 < AB\n");
    EXPECT_EQ(clock.nowMs() - start, 20);
    EXPECT_TRUE(port.WriteSlow("", 10)) << "nothing to write is no failure";
}

TEST_F(CommPortTest, AFailedOpenReportsOnceThenEveryOperationFailsQuietly) {
    device.portFaults.open = EACCES;
    expectPortError("OpenComm Error(COM2)", EACCES);
    EXPECT_FALSE(port.Setup(2, 1024, 1024));
    EXPECT_EQ(port.port(), 2) << "owners name the port in their own message";

    const std::int64_t start = clock.nowMs();
    std::array<std::uint8_t, 8> buf{};
    EXPECT_EQ(port.Read(buf) + port.ReadWait(buf, 300), 0);
    EXPECT_FALSE(port.WriteByte('S') || port.WriteSlow("SS", 20) || port.SendCommand("DS"));
    EXPECT_FALSE(port.SetBaud(9600) || port.SetHandshake(CommPort::kHandshakeNone));
    EXPECT_FALSE(port.Purge(PurgeWhat::Both));
    EXPECT_TRUE(port.Close());
    // Ports beyond COM1..COM4: Setup is quiet (its owner shows its own message).
    EXPECT_FALSE(port.Setup(5, 1024, 1024) || port.Setup(0, 1024, 1024));
    expectPortError("Invalid Port number in SetPort()", EACCES);
    EXPECT_FALSE(port.OpenPort(5));
    EXPECT_EQ(received(), "") << "the device is not touched";
    EXPECT_EQ(clock.nowMs(), start) << "nor is any pause taken";
}

TEST_F(CommPortTest, SetupClosesAnOpenPortFirstEvenWhenTheCloseFails) {
    device.portFaults.close = kFailure;
    op.expectMessage("Error closing comport", "COMMUNICATION PORT ERROR", Icon::Stop);
    EXPECT_TRUE(port.Setup(3, 4096, 1024)) << "an open port would refuse the second open";
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
        EXPECT_EQ(device.flowControl(), flow) << mode;
        EXPECT_EQ(device.portBaud(), 2400u) << "the rate stays";
    }
}

} // namespace
