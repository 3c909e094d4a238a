// The binary memory records against hand-computed bytes, and the retrieval commands as the
// program uses them: RDM, RDPTR, RHPTR, DLEN and an echo-free BDMP.

#include "sim/MemoryDump.h"

#include "sim/TavrinModel.h"
#include "sim/VexaModel.h"
#include "tests/sim/SimLink.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace halcyx::sim::test {
namespace {

namespace md = memory_dump;

using namespace std::string_literals;

TEST(MemoryDump, RecordsMatchTheirLayoutsByteForByte) {
    // 2026-12-06 12:00:00 UTC, day 340 of the year.
    const Sample s{35.0, 10.0, 100.0, 35.0, 1500.0, 1013.25, {0x04D2, 0xFFFF}, 1796558400};
    Sample moored = s;
    moored.pressure = 50.0;
    const md::VexaChannels all{{true, true, true, true, true, true}, {true, true}};
    const md::VexaChannels pressureOnly{{false, false, true}, {}};
    const std::pair<std::string, std::string> cases[] = {
        {md::vexaScaledRecord(s, all, 60),
         "\x90\x88\x5D\xC0\x18\x9C\x6B\x15\x4E\x40\x90\x88\x75\x30\x04\xD2\xFF\xFF"s},
        {md::vexaScaledRecord(s, pressureOnly, 10), "\x04\x1A"s},
        {md::vexaFloatRecord(s, all), "\x00\x00\x0C\x42\x00\x00\x20\x41\x00\x00\xC8\x42"
                                      "\x0C\x00\x00\x0C\x06\x14\x1A"
                                      "\x00\x00\x0C\x42\x00\x80\xBB\x44\x04\xD2\xFF\xFF"s},
        {md::tavrinCtRecord(s, false), "\x90\x88\x5D\xC0"s},
        {md::tavrinCtRecord(s, true), "\x90\x88\x5D\xC0\x00\x00\xAA\x5D"s},
        {md::tavrinPRecord(moored, true, true), "\xA4\x10\x00\x00\xAA\x5D\xC8\x7D"s},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].first, cases[i].second) << "record " << i;
    }
}

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
}

// One instrument of each record kind, 20 scans logged, as the program retrieves them.
TEST(MemoryDump, RetrievalCommandsDeliverTheLoggedScans) {
    Instrument::Config vexa3;
    vexa3.identity.firmware = "2.10";
    Instrument::Config vexa2;
    vexa2.settings.dcChannels = {true};
    Instrument::Config ct;
    ct.settings.channels = {true, true, true};
    struct Case {
        std::unique_ptr<Instrument> instrument;
        const char* marker; // where the program finds the bytes per scan
        std::size_t bytesPerScan;
    };
    Case cases[] = {
        {std::make_unique<VexaModel>(ProductCode::Vexa3, vexa3), "DC8=OFF,", 10},
        {std::make_unique<VexaModel>(ProductCode::Vexa2, vexa2), "DC6=OFF,", 22},
        {std::make_unique<TavrinModel>(ProductCode::TavrinCT, ct), "CH3=ON ", 8},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.marker);
        c.instrument->preloadMemory(20);
        Rig<Instrument&> rig(*c.instrument);
        SimLink& link = rig.link;
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
        EXPECT_EQ(dump.substr(0, 20 * c.bytesPerScan), c.instrument->memory().contents());
        EXPECT_EQ(dump.substr(20 * c.bytesPerScan), std::string(4 * c.bytesPerScan, '\0'));
        EXPECT_EQ(link.ask("CH1"), "CH1 = on\r\n") << "echo is back after the dump";
    }
}

TEST(MemoryDump, PointerResetsLetTheDumpStartAgain) {
    Instrument::Config config;
    config.identity.firmware = "2.10";
    Rig<VexaModel> vexa(ProductCode::Vexa3, config);
    vexa.peer.preloadMemory(4);
    vexa.link.ask("DLEN=4");
    vexa.link.ask("BDMP");
    EXPECT_EQ(vexa.peer.memory().readPointer(), 40u);
    EXPECT_EQ(vexa.link.ask("RHPTR", 100), "RHPTR\r\nHardware Pointer Reset\r\n");
    EXPECT_EQ(vexa.peer.memory().readPointer(), 0u);
    EXPECT_NE(vexa.link.ask("RLPTR", 200).find("Hardware"), std::string::npos);
    EXPECT_EQ(vexa.peer.memory().loggedBytes(), 0u) << "a Vexa logs from the start again";
}

TEST(MemoryDump, ZeroingTakesItsTimeThenReports) {
    Rig<TavrinModel> p(ProductCode::TavrinP, Instrument::Config{});
    p.peer.preloadMemory(5);
    EXPECT_NE(p.link.ask("RLPTR", 500).find("Logged Pointer Reset"), std::string::npos);
    EXPECT_EQ(p.link.ask("ZMEM", 500, 20'000).find("Zeroed"), std::string::npos);
    p.link.sleep(10'000);
    EXPECT_NE(p.link.read(500).find("Logging Memory Zeroed"), std::string::npos);
    EXPECT_EQ(p.peer.memory().loggedBytes(), 0u);
}

TEST(MemoryDump, DumpThatStopsPartWay) {
    Instrument::Config config;
    config.faults.dumpStopsAfterBytes = 25;
    Rig<TavrinModel> ct(ProductCode::TavrinCT, config);
    ct.peer.preloadMemory(10);
    ct.link.ask("DLEN=10");
    EXPECT_EQ(ct.link.ask("BDMP", 1000, 5'000).size(), 25u);
}

} // namespace
} // namespace halcyx::sim::test
