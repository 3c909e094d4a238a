// The setting commands as the program sends them (checked commands and value dialogues),
// what they change in the instrument, and "***E" storing them.

#include "SimLink.h"
#include "TavrinModel.h"
#include "VexaModel.h"

#include <functional>
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

// A dialogue: the command, a pause and purge, then the value as a checked command (which
// adds its own return, so the value ends with two).
std::string sendValue(SimLink& link, const std::string& command, const std::string& value) {
    link.write(command + "\r");
    link.sleep(SimLink::kResponseMs);
    link.purge();
    return sendCommand(link, value + "\r");
}

struct SettingCase {
    const char* name;
    std::function<std::string(SimLink&)> send;
    std::function<bool(const InstrumentSettings&)> changed;
};

TEST(InstrumentSettings, EachSettingCommandChangesItsSetting) {
    const std::vector<SettingCase> cases = {
        {"CH3=OFF", [](SimLink& l) { return sendCommand(l, "CH3=OFF"); },
         [](const InstrumentSettings& s) { return !s.channels[2]; }},
        {"CH4=ON", [](SimLink& l) { return sendCommand(l, "CH4=ON"); },
         [](const InstrumentSettings& s) { return s.channels[3]; }},
        {"DC7=ON", [](SimLink& l) { return sendCommand(l, "DC7=ON"); },
         [](const InstrumentSettings& s) { return s.dcChannels[6]; }},
        {"ST=2", [](SimLink& l) { return sendCommand(l, "ST=2"); },
         [](const InstrumentSettings& s) { return s.tau == 2; }},
        {"SSOT", [](SimLink& l) { return sendCommand(l, "SSOT"); },
         [](const InstrumentSettings& s) { return s.scaledOutput; }},
        {"SCOP", [](SimLink& l) { return sendCommand(l, "SCOP"); },
         [](const InstrumentSettings& s) { return s.continuousOnPowerUp; }},
        {"ITIME", [](SimLink& l) { return sendValue(l, "ITIME", "00:05:00"); },
         [](const InstrumentSettings& s) { return s.intervalTime == "00:05:00"; }},
        {"OTIME", [](SimLink& l) { return sendValue(l, "OTIME", "00:01:30"); },
         [](const InstrumentSettings& s) { return s.onTime == "00:01:30"; }},
        {"AVGI", [](SimLink& l) { return sendValue(l, "AVGI", "01:15"); },
         [](const InstrumentSettings& s) { return s.averageLength == "01:15"; }},
        {"DTIME",
         [](SimLink& l) {
             l.write("DTIME\r");
             l.sleep(2 * SimLink::kResponseMs);
             l.purge();
             l.write("01-15-2027\r");
             l.sleep(2 * SimLink::kResponseMs);
             l.purge();
             return sendCommand(l, "09:30:00\r");
         },
         [](const InstrumentSettings& s) {
             return s.delayedDate == "01-15-2027" && s.delayedTime == "09:30:00";
         }},
    };
    for (const SettingCase& c : cases) {
        SCOPED_TRACE(c.name);
        VexaModel vexa(VexaModel::Generation::Vexa3,
                       VexaModel::factoryConfig(VexaModel::Generation::Vexa3));
        VirtualClock clock;
        SimDevice device(clock, vexa);
        SimLink link(clock, device);

        const std::string answer = c.send(link);
        EXPECT_FALSE(answer.empty());
        EXPECT_EQ(answer.find("BAD COMMAND"), std::string::npos) << answer;
        EXPECT_TRUE(c.changed(vexa.settings()));
        EXPECT_NE(vexa.settings(), vexa.storedSettings()) << "not stored before ***E";
        EXPECT_EQ(sendCommand(link, "***E"), "***E\r\nParameters stored\r\n");
        EXPECT_EQ(vexa.settings(), vexa.storedSettings());
        EXPECT_EQ(link.ask("MODE"), "MODE\r\nOPEN MODE\r\n") << "no dialogue left open";
    }
}

TEST(InstrumentSettings, MalformedValuesAreRefusedAndChangeNothing) {
    struct Case {
        const char* command;
        const char* value; // empty: a checked command on its own
    };
    for (const Case c : {Case{"ITIME", "25:00:00"}, Case{"OTIME", "0:30"}, Case{"AVGI", "01:75"},
                         Case{"DTIME", "13-01-2027"}, Case{"ST=5", ""}, Case{"CH2=MAYBE", ""},
                         Case{"DLEN=0", ""}, Case{"DLEN=1844674407370955162", ""}}) {
        SCOPED_TRACE(c.command);
        VexaModel vexa(VexaModel::Generation::Vexa3,
                       VexaModel::factoryConfig(VexaModel::Generation::Vexa3));
        VirtualClock clock;
        SimDevice device(clock, vexa);
        SimLink link(clock, device);
        const std::string answer =
            *c.value == '\0' ? sendCommand(link, c.command) : sendValue(link, c.command, c.value);
        EXPECT_NE(answer.find("BAD COMMAND"), std::string::npos) << answer;
        EXPECT_EQ(vexa.settings(), vexa.storedSettings());
    }
}

TEST(InstrumentSettings, ClockCanBeSet) {
    TavrinModel ct(TavrinModel::Kind::CT, TavrinModel::factoryConfig(TavrinModel::Kind::CT));
    VirtualClock clock;
    SimDevice device(clock, ct);
    SimLink link(clock, device);

    sendValue(link, "TIME", "23:59:50");
    sendValue(link, "DATE", "02-28-2027");
    const std::int64_t now = ct.clockSeconds(clock.nowMs() * kNanosPerMs);
    EXPECT_EQ(dateText(now), "02-28-2027");
    EXPECT_EQ(clockText(now).substr(0, 7), "23:59:5");
}

} // namespace
} // namespace halcyx::sim::test
