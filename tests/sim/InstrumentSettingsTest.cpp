// The setting commands as the program sends them (checked commands and value dialogues),
// what they change in the instrument, "***E" storing them, and the program's own CommPort
// accepting them or bringing a refusal to the operator in the program's words.

#include "core/serial/CommPort.h"
#include "sim/TavrinModel.h"
#include "tests/sim/SimLink.h"
#include "tests/support/ScriptedOperator.h"

#include <gtest/gtest.h>
#include <vector>

namespace halcyx::sim::test {
namespace {

constexpr std::uint32_t kCommandCharMs = 30;
constexpr std::size_t kCommandAnswerBytes = 80;

// A checked command: purge, the text and a return at 30 ms per character, a pause and a
// read of at most 80 bytes.
std::string sendCommand(SimLink& link, const std::string& text) {
    link.purge();
    link.write(text + "\r", kCommandCharMs);
    link.sleep(SimLink::kResponseMs);
    return link.read(kCommandAnswerBytes);
}

// A dialogue: the command, then each value after a pause and purge, the last as a checked
// command (which adds its own return, so it ends with two). No values: a checked command.
std::string send(SimLink& link, const std::vector<std::string>& texts) {
    if (texts.size() == 1) {
        return sendCommand(link, texts[0]);
    }
    link.write(texts[0] + "\r");
    for (std::size_t i = 1; i + 1 < texts.size(); ++i) {
        link.sleep(2 * SimLink::kResponseMs);
        link.purge();
        link.write(texts[i] + "\r");
    }
    link.sleep(2 * SimLink::kResponseMs);
    link.purge();
    return sendCommand(link, texts.back() + "\r");
}

TEST(InstrumentSettings, EachSettingCommandChangesItsSettingUntilStored) {
    using Check = bool (*)(const InstrumentSettings&);
    const std::vector<std::pair<std::vector<std::string>, Check>> cases = {
        {{"CH3=OFF"}, [](const InstrumentSettings& s) { return !s.channels[2]; }},
        {{"CH4=ON"}, [](const InstrumentSettings& s) { return s.channels[3]; }},
        {{"DC7=ON"}, [](const InstrumentSettings& s) { return s.dcChannels[6]; }},
        {{"ST=2"}, [](const InstrumentSettings& s) { return s.tau == 2; }},
        {{"SSOT"}, [](const InstrumentSettings& s) { return s.scaledOutput; }},
        {{"SCOP"}, [](const InstrumentSettings& s) { return s.continuousOnPowerUp; }},
        {{"ITIME", "00:05:00"},
         [](const InstrumentSettings& s) { return s.intervalTime == "00:05:00"; }},
        {{"OTIME", "00:01:30"}, [](const InstrumentSettings& s) { return s.onTime == "00:01:30"; }},
        {{"AVGI", "01:15"}, [](const InstrumentSettings& s) { return s.averageLength == "01:15"; }},
        {{"DTIME", "01-15-2027", "09:30:00"},
         [](const InstrumentSettings& s) {
             return s.delayedDate == "01-15-2027" && s.delayedTime == "09:30:00";
         }},
    };
    for (const auto& [texts, changed] : cases) {
        SCOPED_TRACE(texts[0]);
        Vexa3 vexa;
        const std::string answer = send(vexa.link, texts);
        EXPECT_FALSE(answer.empty());
        EXPECT_EQ(answer.find("BAD COMMAND"), std::string::npos) << answer;
        EXPECT_TRUE(changed(vexa.peer.settings()));
        EXPECT_NE(vexa.peer.settings(), vexa.peer.storedSettings()) << "not stored before ***E";
        EXPECT_EQ(sendCommand(vexa.link, "***E"), "***E\r\nParameters stored\r\n");
        EXPECT_EQ(vexa.peer.settings(), vexa.peer.storedSettings());
        EXPECT_EQ(vexa.link.ask("MODE"), "MODE\r\nOPEN MODE\r\n") << "no dialogue left open";
    }
}

TEST(InstrumentSettings, MalformedValuesAreRefusedAndChangeNothing) {
    for (const std::vector<std::string>& texts :
         std::vector<std::vector<std::string>>{{"ITIME", "25:00:00"},
                                               {"OTIME", "0:30"},
                                               {"AVGI", "01:75"},
                                               {"DTIME", "13-01-2027"},
                                               {"ST=5"},
                                               {"CH2=MAYBE"},
                                               {"DLEN=0"},
                                               {"DLEN=1844674407370955162"}}) {
        Vexa3 vexa;
        const std::string answer = send(vexa.link, texts);
        EXPECT_NE(answer.find("BAD COMMAND"), std::string::npos) << texts[0] << ": " << answer;
        EXPECT_EQ(vexa.peer.settings(), vexa.peer.storedSettings()) << texts[0];
    }
}

TEST(InstrumentSettings, ClockCanBeSet) {
    Rig<TavrinModel> ct(ProductCode::TavrinCT, TavrinModel::factoryConfig(ProductCode::TavrinCT));
    send(ct.link, {"TIME", "23:59:50"});
    send(ct.link, {"DATE", "02-28-2027"});
    const std::int64_t now = ct.peer.clockSeconds(ct.clock.nowMs() * kNanosPerMs);
    EXPECT_EQ(dateText(now), "02-28-2027");
    EXPECT_EQ(clockText(now).substr(0, 7), "23:59:5");
}

TEST(ProgramPort, CheckedCommandsAreAcceptedOrRefusedInTheProgramsWords) {
    Vexa3 vexa([](auto& c) { c.faults.refused = {"CH3"}; });
    vexa.device.close(); // the program's port opens it for itself
    halcyx::test::ScriptedOperator op;
    CommPort port(vexa.device, vexa.clock, op, [](int) { return std::string("/dev/sim"); });
    ASSERT_TRUE(port.Setup(1, 1024, 1024));
    port.SetBaud(9600);
    port.SetHandshake(CommPort::kHandshakeNone);

    EXPECT_TRUE(port.SendCommand("CH4=ON"));
    EXPECT_EQ(port.lastAnswer(), "CH4=ON\r\nCH4 = on\r\n");
    EXPECT_TRUE(port.SendCommand("ST=1"));
    EXPECT_TRUE(port.SendCommand("***E"));
    EXPECT_TRUE(vexa.peer.storedSettings().channels[3]);
    EXPECT_EQ(vexa.peer.storedSettings().tau, 1);

    op.expectMessage("Error using Command = CH3=ON\r\nBAD COMMAND\r\n", "Command Error",
                     Icon::Stop);
    EXPECT_FALSE(port.SendCommand("CH3=ON"));
    EXPECT_TRUE(op.done());
}

} // namespace
} // namespace halcyx::sim::test
