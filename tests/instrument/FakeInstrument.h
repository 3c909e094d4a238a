#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace halcyx::test {

// The answers of a small instrument in open mode, enough for the command-layer tests:
// identity queries, channel and timing queries with their dialogues, and setting
// commands. Answers are short so that they fit the program's byte limits with the echo.
// Use it as the responder of a ScriptedInstrument.
class FakeInstrument {
public:
    enum class Family { Vexa, Tavrin };

    std::string operator()(const std::string& line);

    Family family = Family::Vexa;
    std::string serialNumber = "1600M"; // a Vexa 3
    std::string firmware = "2.10";
    std::string calDate = "10OCT25";
    int address = 1;
    std::set<std::string> channelsOn = {"CH1", "CH2", "CH3", "DC1", "DC7"};
    std::string intervalTime = "00:05:00";
    std::string onTime = "00:00:30";
    std::string delayedDate = "12-24-2026";
    std::string delayedTime = "08:00:00";
    int tau = 2;
    bool scaled = true;
    std::string average = "00:10";
    bool continuous = false;
    std::string clockTime = "12:34:56";
    std::string clockDate = "12-06-2026";
    // Commands answered with "BAD COMMAND" (the whole command line, e.g. "CH3=ON").
    std::set<std::string> refused;
    // Settings commands received, in order (what the instrument was told to do).
    std::vector<std::string> accepted;

private:
    // The interactive command awaiting its next line, if any.
    std::string dialogue_;
};

} // namespace halcyx::test
