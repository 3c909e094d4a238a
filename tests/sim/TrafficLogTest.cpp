// The traffic log: bursts, their order, escaping, and the exchange of a real command.

#include "SimLink.h"
#include "VexaModel.h"

#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

TEST(TrafficLog, GroupsBytesIntoBurstsPerDirectionInTimeOrder) {
    TrafficLog log;
    log.record(0, Direction::FromProgram, "S/");
    log.record(1, Direction::ToProgram, "S");
    log.record(20, Direction::FromProgram, "N");
    log.record(21, Direction::ToProgram, "/N");
    log.record(500, Direction::FromProgram, "\r");
    EXPECT_EQ(log.text(), "0 < S/N\n"
                          "1 > S/N\n"
                          "500 < \\r\n");
    EXPECT_EQ(log.text(Direction::ToProgram), "1 > S/N\n");
}

TEST(TrafficLog, EscapesLineEndsAndNonPrintingBytes) {
    EXPECT_EQ(TrafficLog::escape(std::string("a\r\n\\\x01\xff", 6)), "a\\r\\n\\\\\\x01\\xFF");
}

TEST(TrafficLog, TakesOnlyBurstsThatCanNoLongerGrow) {
    TrafficLog log;
    log.record(0, Direction::FromProgram, "a");
    log.record(50, Direction::ToProgram, "b");
    EXPECT_TRUE(log.takeClosed(100).empty());
    const auto closed = log.takeClosed(101);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].bytes, "a");
    log.record(120, Direction::ToProgram, "c");
    EXPECT_EQ(log.text(), "50 > bc\n");
}

TEST(TrafficLog, RecordsACommandExchangeAsReadableText) {
    VexaModel vexa(VexaModel::Generation::Vexa3,
                   VexaModel::factoryConfig(VexaModel::Generation::Vexa3));
    VirtualClock clock;
    SimDevice device(clock, vexa);
    SimLink link(clock, device);
    link.ask("S/N", 18);
    EXPECT_EQ(device.traffic().text(), "0 < S/N\\r\n"
                                       "2 > S/N = 1634M\\r\\n\n");
}

} // namespace
} // namespace halcyx::sim::test
