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

// A dialogue as the program sends it: the command, then each value after a pause and purge,
// the last as a checked command (purge, the text and a return at 30 ms per character, a pause
// and a read of at most 80 bytes). The checked command adds its own return, so a value sent
// that way ends with two; a lone command is a plain checked command.
std::string send(SimRig& link, const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
        link.write(texts[i] + "\r");
        link.sleep(2 * SimRig::kResponseMs);
        link.purge();
    }
    link.purge();
    link.write(texts.back() + (texts.size() > 1 ? "\r\r" : "\r"), kCommandCharMs);
    link.sleep(SimRig::kResponseMs);
    return link.read(kCommandAnswerBytes);
}

TEST(InstrumentSettings, MalformedValuesAreRefusedAndChangeNothing) {
    const std::vector<std::string> cases[] = {{"ITIME", "25:00:00"},
                                              {"OTIME", "0:30"},
                                              {"AVGI", "01:75"},
                                              {"DTIME", "13-01-2027"},
                                              {"ST=5"},
                                              {"CH2=MAYBE"},
                                              {"DLEN=0"},
                                              {"DLEN=1844674407370955162"}};
    for (const auto& texts : cases) {
        SimRig vexa;
        const std::string answer = send(vexa, texts);
        EXPECT_NE(answer.find("BAD COMMAND"), std::string::npos) << texts[0] << ": " << answer;
        EXPECT_EQ(vexa.instrument().settings(), vexa.instrument().storedSettings()) << texts[0];
    }
}

} // namespace
} // namespace halcyx::sim::test
