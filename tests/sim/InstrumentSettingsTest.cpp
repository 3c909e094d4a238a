// The setting commands as the program sends them (checked commands and value dialogues),
// what they change in the instrument, "***E" storing them, and malformed values refused.

#include "tests/support/SimRig.h"

#include <gtest/gtest.h>
#include <vector>

namespace halcyx::sim::test {
namespace {

using halcyx::test::SimRig;

constexpr std::uint32_t kCommandCharMs = 30;
constexpr std::size_t kCommandAnswerBytes = 80;

// A checked command: purge, the text and a return at 30 ms per character, a pause and a
// read of at most 80 bytes.
std::string sendCommand(SimRig& link, const std::string& text) {
    link.purge();
    link.write(text + "\r", kCommandCharMs);
    link.sleep(SimRig::kResponseMs);
    return link.read(kCommandAnswerBytes);
}

// A dialogue: the command, then each value after a pause and purge, the last as a checked
// command (which adds its own return, so it ends with two). No values: a checked command.
std::string send(SimRig& link, const std::vector<std::string>& texts) {
    if (texts.size() == 1) {
        return sendCommand(link, texts[0]);
    }
    link.write(texts[0] + "\r");
    for (std::size_t i = 1; i + 1 < texts.size(); ++i) {
        link.sleep(2 * SimRig::kResponseMs);
        link.purge();
        link.write(texts[i] + "\r");
    }
    link.sleep(2 * SimRig::kResponseMs);
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
        SimRig vexa;
        const std::string answer = send(vexa, texts);
        EXPECT_FALSE(answer.empty());
        EXPECT_EQ(answer.find("BAD COMMAND"), std::string::npos) << answer;
        EXPECT_TRUE(changed(vexa.instrument().settings()));
        EXPECT_NE(vexa.instrument().settings(), vexa.instrument().storedSettings())
            << "not stored before ***E";
        EXPECT_EQ(sendCommand(vexa, "***E"), "***E\r\nParameters stored\r\n");
        EXPECT_EQ(vexa.instrument().settings(), vexa.instrument().storedSettings());
        EXPECT_EQ(vexa.ask("MODE"), "MODE\r\nOPEN MODE\r\n") << "no dialogue left open";
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
        SimRig vexa;
        const std::string answer = send(vexa, texts);
        EXPECT_NE(answer.find("BAD COMMAND"), std::string::npos) << texts[0] << ": " << answer;
        EXPECT_EQ(vexa.instrument().settings(), vexa.instrument().storedSettings()) << texts[0];
    }
}

} // namespace
} // namespace halcyx::sim::test
