// The memory's clock words and divisors, and the retrieval commands as the program uses
// them: RDM, RDPTR, RHPTR, DLEN and an echo-free BDMP.

#include "sim/MemoryDump.h"

#include "sim/TavrinModel.h"
#include "sim/VexaModel.h"
#include "tests/support/SimRig.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace halcyx::sim::test {
namespace {

using halcyx::test::SimRig;

namespace md = memory_dump;

TEST(MemoryDump, TavrinClockWordsCarryHalfDayAndDayOfYear) {
    // 1997-01-01 09:30:15: morning, day 1, year offset 0.
    const auto morning = md::tavrinClockWords(852111015);
    EXPECT_EQ(morning.time, 9 * 3600 + 30 * 60 + 15);
    EXPECT_EQ(morning.date, 1 << 7);
    // 2024-12-31 23:59:59 (a leap year's day 366), afternoon, offset 27.
    const auto evening = md::tavrinClockWords(1735689599);
    EXPECT_EQ(evening.time, 11 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(evening.date, (366 << 7) | 0x40 | 27);
}

TEST(MemoryDump, PressureDivisorFollowsTheTransducerRange) {
    const std::pair<int, int> cases[] = {{399, 300}, {400, 60},  {1499, 60}, {1500, 30},
                                         {2500, 20}, {3499, 20}, {3500, 10}};
    for (const auto& [range, divisor] : cases) {
        EXPECT_EQ(md::pressureDivisor(range), divisor) << range;
    }
    // 100 dbar at a divisor of 10: (100 + 5) * 10 counts.
    Sample s{};
    s.pressure = 100.0;
    EXPECT_EQ(md::vexaScaledRecord(s, {{false, false, true}, {}}, 10), "\x04\x1A");
}

// One instrument of each record kind, 20 scans logged, as the program retrieves them.
TEST(MemoryDump, RetrievalCommandsDeliverTheLoggedScans) {
    struct Case {
        ProductCode model;
        halcyx::test::AdjustConfig adjust;
        const char* marker; // where the program finds the bytes per scan
        std::size_t bytesPerScan;
    };
    const Case cases[] = {
        {ProductCode::Vexa3, {}, "DC8=OFF,", 10},
        {ProductCode::Vexa2, [](auto& c) { c.settings.dcChannels = {true}; }, "DC6=OFF,", 22},
        {ProductCode::TavrinCT,
         [](auto& c) {
             c.settings.channels = {true, true, true};
         },
         "CH3=ON ", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marker);
        SimRig link(c.model, c.adjust);
        link.instrument().preloadMemory(20);
        const std::string rdm = link.ask("RDM", 300);
        const std::size_t at = rdm.find(c.marker);
        ASSERT_NE(at, std::string::npos) << rdm;
        EXPECT_EQ(std::atol(rdm.c_str() + at + std::strlen(c.marker)), long(c.bytesPerScan));
        EXPECT_EQ(link.ask("RDPTR", 100), "\r\n" + std::to_string(20 * c.bytesPerScan) + "\r\n")
            << "a bare number, without the echo";
        EXPECT_NE(link.ask("CLOG", 30).find("cleared"), std::string::npos);

        // Two chunks of 12 scans: the second reaches past the logged scans into zeros.
        link.ask("DLEN=12");
        std::string dump;
        for (int chunk = 0; chunk < 2; ++chunk) {
            link.write("BDMP\r", 10);
            link.sleep(10'000);
            dump += link.read();
        }
        ASSERT_EQ(dump.size(), 24 * c.bytesPerScan) << "nothing but the scans";
        EXPECT_EQ(dump.substr(0, 20 * c.bytesPerScan), link.instrument().memory().contents());
        EXPECT_EQ(dump.substr(20 * c.bytesPerScan), std::string(4 * c.bytesPerScan, '\0'));
        EXPECT_EQ(link.ask("CH1"), "CH1 = on\r\n") << "echo is back after the dump";
    }
}

TEST(MemoryDump, PointerResetsLetTheDumpStartAgain) {
    SimRig vexa(ProductCode::Vexa3);
    vexa.instrument().preloadMemory(4);
    vexa.ask("DLEN=4");
    vexa.ask("BDMP");
    EXPECT_EQ(vexa.instrument().memory().readPointer(), 40u);
    EXPECT_EQ(vexa.ask("RHPTR", 100), "RHPTR\r\nHardware Pointer Reset\r\n");
    EXPECT_EQ(vexa.instrument().memory().readPointer(), 0u);
    EXPECT_NE(vexa.ask("RLPTR", 200).find("Hardware"), std::string::npos);
    EXPECT_EQ(vexa.instrument().memory().loggedBytes(), 0u) << "a Vexa logs from the start again";
}

TEST(MemoryDump, ZeroingTakesItsTimeThenReports) {
    SimRig p(ProductCode::TavrinP);
    p.instrument().preloadMemory(5);
    EXPECT_NE(p.ask("RLPTR", 500).find("Logged Pointer Reset"), std::string::npos);
    EXPECT_EQ(p.ask("ZMEM", 500, 20'000).find("Zeroed"), std::string::npos);
    p.sleep(10'000);
    EXPECT_NE(p.read(500).find("Logging Memory Zeroed"), std::string::npos);
    EXPECT_EQ(p.instrument().memory().loggedBytes(), 0u);
}

TEST(MemoryDump, DumpThatStopsPartWay) {
    SimRig ct(ProductCode::TavrinCT, [](auto& c) { c.faults.dumpStopsAfterBytes = 25; });
    ct.instrument().preloadMemory(10);
    ct.ask("DLEN=10");
    EXPECT_EQ(ct.ask("BDMP", 1000, 5'000).size(), 25u);
}

} // namespace
} // namespace halcyx::sim::test
