// The traffic log: bursts, their order, escaping, and the exchange of a real command.

#include "SimLink.h"

#include <gtest/gtest.h>

namespace halcyx::sim::test {
namespace {

TEST(TrafficLog, GroupsBytesIntoBurstsPerDirectionInTimeOrder) {
    TrafficLog log;
    log.record(0, Direction::FromProgram, "S/");
    log.record(1, Direction::ToProgram, "S");
    log.record(20, Direction::FromProgram, "N");
    log.record(21, Direction::ToProgram, "/N");
    log.record(500, Direction::FromProgram, std::string("\r\n\\\x01\xff", 5));
    EXPECT_EQ(log.text(), "0 < S/N\n"
                          "1 > S/N\n"
                          "500 < \\r\\n\\\\\\x01\\xFF\n");
    EXPECT_EQ(log.text(Direction::ToProgram), "1 > S/N\n");
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
    Vexa3 vexa;
    vexa.link.ask("S/N", 18);
    EXPECT_EQ(vexa.device.traffic().text(), "0 < S/N\\r\n"
                                            "2 > S/N = 1634M\\r\\n\n");
}

} // namespace
} // namespace halcyx::sim::test
