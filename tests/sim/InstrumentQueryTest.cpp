// The answers of the simulated instruments to the program's queries: exact texts, and each
// fitting in the number of bytes the program reads for it, echo included.

#include "SimLink.h"
#include "TavrinModel.h"
#include "VexaModel.h"

#include <gtest/gtest.h>
#include <memory>

namespace halcyx::sim::test {
namespace {

struct QueryCase {
    const char* command;
    std::size_t bytesRead; // what the program takes of the answer
    const char* answer;    // echo and answer, exactly
};

Instrument::Config vexaConfig() {
    return VexaModel::factoryConfig(VexaModel::Generation::Vexa3);
}

Instrument::Config tavrinConfig() {
    Instrument::Config config = TavrinModel::factoryConfig(TavrinModel::Kind::CT);
    config.identity.address = 3;
    return config;
}

void expectAnswers(Instrument& instrument, std::initializer_list<QueryCase> cases) {
    VirtualClock clock;
    SimDevice device(clock, instrument);
    SimLink link(clock, device);
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.command);
        const std::string answer = link.ask(c.command);
        EXPECT_EQ(answer, c.answer);
        EXPECT_LE(answer.size(), c.bytesRead);
        if (std::string_view(c.answer).ends_with(": ")) {
            link.write("\r"); // keep the value the instrument offers to change
        }
    }
}

TEST(InstrumentQuery, Vexa3AnswersEveryQueryWithinItsByteLimit) {
    VexaModel vexa(VexaModel::Generation::Vexa3, vexaConfig());
    expectAnswers(vexa, {
                            {"S/N", 18, "S/N = 1634M\r\n"},
                            {"VER", 18, "VER = 2.10\r\n"},
                            {"CDATE", 18, "CDATE = 14JUN26\r\n"},
                            {"ADR", 100, "ADR = 1\r\n"},
                            {"CH1", 20, "CH1 = on\r\n"},
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
                            {"XYZZY", 200, "XYZZY\r\nBAD COMMAND\r\n"},
                        });
}

TEST(InstrumentQuery, Vexa2HasSixDcChannelsAndNoAveraging) {
    VexaModel vexa(VexaModel::Generation::Vexa2,
                   VexaModel::factoryConfig(VexaModel::Generation::Vexa2));
    expectAnswers(vexa, {
                            {"DC6", 20, "DC6 = off\r\n"},
                            {"DC7", 200, "DC7\r\nBAD COMMAND\r\n"},
                            {"AVGI", 200, "AVGI\r\nBAD COMMAND\r\n"},
                            {"SMP=OFF", 200, "SMP=OFF\r\nBAD COMMAND\r\n"},
                        });
}

TEST(InstrumentQuery, TavrinCtHasThreeChannelsAndNoSamplingRate) {
    TavrinModel ct(TavrinModel::Kind::CT, tavrinConfig());
    expectAnswers(ct, {
                          {"S/N", 18, "S/N = F0123\r\n"},
                          {"VER", 18, "VER = V1.70\r\n"},
                          {"CDATE", 18, "CDATE = 05MAR25\r\n"},
                          {"ADR", 100, "ADR = 3\r\n"},
                          {"CH2", 20, "CH2 = on\r\n"},
                          {"CH3", 20, "CH3 = off\r\n"},
                          {"CH4", 200, "CH4\r\nBAD COMMAND\r\n"},
                          {"DC1", 200, "DC1\r\nBAD COMMAND\r\n"},
                          {"RT", 200, "RT\r\nBAD COMMAND\r\n"},
                          {"AVGI", 100, "AVGI = 00:10\r\nChange to (mm:ss): "},
                      });
}

TEST(InstrumentQuery, AveragingFollowsTheFirmware) {
    struct Case {
        const char* firmware;
        bool averages;
    };
    for (const Case c :
         {Case{"2.10", true}, Case{"1.90", false}, Case{"1.95", true}, Case{"2I10", false}}) {
        SCOPED_TRACE(c.firmware);
        Instrument::Config config = vexaConfig();
        config.identity.firmware = c.firmware;
        VexaModel vexa(VexaModel::Generation::Vexa3, config);
        EXPECT_EQ(vexa.scaledMemory(), c.averages);
    }
    for (const Case c : {Case{"V1.50", false}, Case{"V1.60", true}}) {
        SCOPED_TRACE(c.firmware);
        Instrument::Config config = tavrinConfig();
        config.identity.firmware = c.firmware;
        TavrinModel ct(TavrinModel::Kind::CT, config);
        VirtualClock clock;
        SimDevice device(clock, ct);
        SimLink link(clock, device);
        EXPECT_EQ(link.ask("AVGI").find("BAD COMMAND") == std::string::npos, c.averages);
    }
}

TEST(InstrumentQuery, ClockAndDelayedStartDialoguesShowTheirValues) {
    VexaModel vexa(VexaModel::Generation::Vexa3, vexaConfig());
    VirtualClock clock;
    SimDevice device(clock, vexa);
    SimLink link(clock, device);

    EXPECT_EQ(link.ask("TIME", 49), "TIME is 12:00:00\r\nChange to (hh:mm:ss): ");
    link.write("\r");
    EXPECT_EQ(link.ask("DATE", 49), "DATE is 12-06-2026\r\nChange to (mm-dd-yyyy): ");
    link.write("\r");

    EXPECT_EQ(link.ask("DTIME", 100), "DTIME date is 01-01-1999\r\nChange to (mm-dd-yyyy): ");
    link.write("\r");
    link.sleep(SimLink::kResponseMs);
    EXPECT_EQ(link.read(100), "\r\nDTIME time is 08:00:00\r\nChange to (hh:mm:ss): ");
    link.write("\r");
    EXPECT_EQ(link.ask("MODE"), "MODE\r\nOPEN MODE\r\n") << "the dialogue is over";
}

TEST(InstrumentQuery, SettingsNotSetAnswerNo) {
    Instrument::Config config = vexaConfig();
    config.settings.intervalTime.clear();
    config.settings.delayedDate.clear();
    config.settings.delayedTime.clear();
    VexaModel vexa(VexaModel::Generation::Vexa3, config);
    VirtualClock clock;
    SimDevice device(clock, vexa);
    SimLink link(clock, device);

    const std::string interval = link.ask("ITIME", 100);
    EXPECT_NE(interval.find("NO "), std::string::npos);
    EXPECT_EQ(interval.find("is "), std::string::npos);
    link.write("\r");
    const std::string date = link.ask("DTIME", 100);
    EXPECT_NE(date.find("NO "), std::string::npos);
    EXPECT_EQ(date.find("is "), std::string::npos);
    link.write("\r");
    link.sleep(SimLink::kResponseMs);
    const std::string time = link.read(100);
    EXPECT_NE(time.find("NO "), std::string::npos);
    EXPECT_EQ(time.find("is "), std::string::npos);
}

} // namespace
} // namespace halcyx::sim::test
