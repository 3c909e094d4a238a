// Malformed values in the setting commands as the program sends them (checked commands and
// value dialogues) are refused and change nothing.

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
