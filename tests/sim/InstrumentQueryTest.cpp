// The answers of the simulated instruments to the program's queries: exact texts, and each
// fitting in the number of bytes the program reads for it, echo included.

#include "SimLink.h"
#include "TavrinModel.h"

#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

struct QueryCase {
    const char* command;
    std::size_t bytesRead; // what the program takes of the answer
    const char* answer;    // echo and answer, exactly
};

Instrument::Config tavrinCt(const char* firmware = nullptr) {
    Instrument::Config config = TavrinModel::factoryConfig(TavrinModel::Kind::CT);
    config.identity.address = 3;
    if (firmware != nullptr) {
        config.identity.firmware = firmware;
    }
    return config;
}

// Asks each query in turn; a value the instrument offers to change is kept with a return,
// and an empty command reads what follows that return.
std::string answerTo(SimLink& link, const std::string& command, std::size_t max = 200) {
    if (!command.empty()) {
        return link.ask(command, max);
    }
    link.sleep(SimLink::kResponseMs);
    return link.read(max);
}

void expectAnswers(SimLink& link, std::initializer_list<QueryCase> cases) {
    for (const QueryCase& c : cases) {
        const std::string answer = answerTo(link, c.command);
        EXPECT_EQ(answer, c.answer) << c.command;
        EXPECT_LE(answer.size(), c.bytesRead) << c.command;
        if (answer.ends_with(": ")) {
            link.write("\r");
        }
    }
}

TEST(InstrumentQuery, EachModelAnswersItsQueriesWithinTheirByteLimits) {
    Vexa3 vexa3;
    expectAnswers(vexa3.link,
                  {{"TIME", 49, "TIME is 12:00:00\r\nChange to (hh:mm:ss): "},
                   {"DATE", 49, "DATE is 12-06-2026\r\nChange to (mm-dd-yyyy): "},
                   {"S/N", 18, "S/N = 1634M\r\n"},
                   {"VER", 18, "VER = 2.10\r\n"},
                   {"CDATE", 18, "CDATE = 14JUN26\r\n"},
                   {"ADR", 100, "ADR = 1\r\n"},
                   {"CH4", 20, "CH4 = off\r\n"},
                   {"DC8", 20, "DC8 = off\r\n"},
                   {"RT", 50, "RT TAU = 4\r\n"},
                   {"RSOT", 100, "RSOT scaled output cleared\r\n"},
                   {"RCOP", 50, "RCOP continous cleared\r\n"},
                   {"ITIME", 100, "ITIME is 00:01:00\r\nChange to (hh:mm:ss): "},
                   {"OTIME", 100, "OTIME is 00:00:30\r\nChange to (hh:mm:ss): "},
                   {"AVGI", 100, "AVGI = 00:10\r\nChange to (mm:ss): "},
                   {"A1003", 30, "A1003 = 1000\r\n"},
                   {"MODE", 200, "MODE\r\nOPEN MODE\r\n"},
                   {"DC9", 200, "DC9\r\nBAD COMMAND\r\n"},
                   {"DTIME", 100, "DTIME date is 01-01-1999\r\nChange to (mm-dd-yyyy): "},
                   {"", 100, "\r\nDTIME time is 08:00:00\r\nChange to (hh:mm:ss): "},
                   {"MODE", 200, "MODE\r\nOPEN MODE\r\n"}});

    Rig<VexaModel> vexa2(VexaModel::Generation::Vexa2,
                         VexaModel::factoryConfig(VexaModel::Generation::Vexa2));
    expectAnswers(vexa2.link, {{"DC6", 20, "DC6 = off\r\n"},
                               {"DC7", 200, "DC7\r\nBAD COMMAND\r\n"},
                               {"AVGI", 200, "AVGI\r\nBAD COMMAND\r\n"},
                               {"SMP=OFF", 200, "SMP=OFF\r\nBAD COMMAND\r\n"}});

    Rig<TavrinModel> ct(TavrinModel::Kind::CT, tavrinCt());
    expectAnswers(ct.link, {{"S/N", 18, "S/N = F0123\r\n"},
                            {"VER", 18, "VER = V1.70\r\n"},
                            {"CDATE", 18, "CDATE = 05MAR25\r\n"},
                            {"ADR", 100, "ADR = 3\r\n"},
                            {"CH3", 20, "CH3 = off\r\n"},
                            {"CH4", 200, "CH4\r\nBAD COMMAND\r\n"},
                            {"DC1", 200, "DC1\r\nBAD COMMAND\r\n"},
                            {"RT", 200, "RT\r\nBAD COMMAND\r\n"},
                            {"AVGI", 100, "AVGI = 00:10\r\nChange to (mm:ss): "}});
}

TEST(InstrumentQuery, AveragingFollowsTheFirmware) {
    for (const auto& [firmware, averages] :
         {std::pair{"2.10", true}, {"1.90", false}, {"1.95", true}, {"2I10", false}}) {
        Vexa3 vexa([&](auto& c) { c.identity.firmware = firmware; });
        EXPECT_EQ(vexa.peer.scaledMemory(), averages) << firmware;
    }
    for (const auto& [firmware, averages] : {std::pair{"V1.50", false}, {"V1.60", true}}) {
        Rig<TavrinModel> ct(TavrinModel::Kind::CT, tavrinCt(firmware));
        EXPECT_EQ(ct.link.ask("AVGI").find("BAD COMMAND") == std::string::npos, averages);
    }
}

TEST(InstrumentQuery, SettingsNotSetAnswerNo) {
    Vexa3 vexa([](auto& c) {
        c.settings.intervalTime.clear();
        c.settings.delayedDate.clear();
        c.settings.delayedTime.clear();
    });
    for (const char* command : {"ITIME", "DTIME", ""}) { // "": the time half of DTIME
        const std::string answer = answerTo(vexa.link, command, 100);
        vexa.link.write("\r");
        EXPECT_NE(answer.find("NO "), std::string::npos) << answer;
        EXPECT_EQ(answer.find("is "), std::string::npos) << answer;
    }
}

} // namespace
} // namespace halcyx::sim::test
