// The cast session: per-layout records, derived values, hand-off order, tick endings and
// what reaches the cast data file.

#include "core/acquisition/CastSession.h"

#include "core/seawater/Seawater.h"
#include "tests/acquisition/RecordingSubscriber.h"
#include "tests/acquisition/TestText.h"
#include "tests/support/TempFolder.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using test::Bytes;
using test::RecordingSubscriber;
using Values = std::vector<float>;

Values Head(const ScanRecord& r, std::size_t n) {
    return {r.values.begin(), r.values.begin() + n};
}

struct Fixture {
    Fixture(ScanLayout layout, std::uint32_t mask, const DCChannelTable& table = {},
            Durability durability = Durability::Live, const std::string& path = "/dev/null")
        : session(layout, mask, table, durability) {
        session.subscribe(sink);
        EXPECT_TRUE(session.startCast(path, {}));
    }
    // One tick that synchronises on two copies of the first line, then carries every line,
    // padded so that the last line is followed by just enough bytes to be cut.
    void Feed(const std::vector<std::string>& lines) {
        const std::string first = lines.front() + "\r\n";
        std::string s = std::string(250, 'z') + "\r\n" + first + first;
        for (const std::string& line : lines)
            s += line + "\r\n";
        const int margin = LineCutter::forLayout(session.decoder().layout()).cutMargin;
        session.tick(Bytes(s + std::string(lines.front().size() + margin - 1, ' ')));
    }
    RecordingSubscriber sink;
    CastSession session;
};

TEST(CastSession, VexaFieldsFollowTheMaskInBitOrder) {
    DCChannelTable table;
    table.setName(0, "Oxygen");
    table.setTerm(0, 0, "1");
    table.setTerm(0, 1, "2");
    // C, T, P, time, salinity, sound velocity, DC1, DC2.
    Fixture f(ScanLayout::Vexa, 0x033F, table);
    f.Feed({"35.1234, 12.5000,100.25,12:00:01,34.5,1500.1,2.0,3.5"});
    ASSERT_EQ(f.sink.scans.size(), 1u);
    const ScanRecord& r = f.session.record();
    // DC1 is 1 + 2 * 2.0; DC2 keeps the identity of the default table.
    EXPECT_EQ(Head(r, 9), (Values{0, 35.1234f, 12.5f, 100.25f, 34.5f, 1500.1f, 5, 3.5f, 0}));
    EXPECT_EQ(f.sink.readouts, (std::vector<std::string>{"C:35.1234", "T: 12.5000", "P:100.25"}));
    // Derived values are computed from single-precision inputs, in order, each narrowed.
    const float s = static_cast<float>(SeawaterSalinity(r[1], r[2], r[3]));
    EXPECT_EQ(Values(r.values.begin() + 14, r.values.end()),
              (Values{s, float(SeawaterAtg(s, r[2], r[3])), float(SeawaterTheta(s, r[2], r[3])),
                      float(SeawaterSigma(s, r[2], r[3])), float(SeawaterDepth(r[3], 45.0f)),
                      float(SeawaterSoundSpeed(s, r[2], r[3]))}));
}

TEST(CastSession, VexaWithoutPressureDerivesAtPressureZeroAndACastStartsAfresh) {
    Fixture f(ScanLayout::Vexa, 0x0003);
    f.Feed({"42.914000,15.000000", "20.0garbage"});
    ASSERT_EQ(f.sink.scans.size(), 2u);
    const ScanRecord& first = f.sink.scans[0];
    EXPECT_EQ(first[3], 0.0f);
    EXPECT_NEAR(first[14], 35.0f, 1e-3f);
    EXPECT_EQ(first[16], 15.0f); // potential temperature at the surface
    EXPECT_EQ(first[18], 0.0f);  // depth
    EXPECT_EQ(Head(f.sink.scans[1], 5), (Values{1, 20, 0, 0, 0}));
    // A new cast counts from zero and synchronises again.
    ASSERT_TRUE(f.session.startCast("/dev/null", {}));
    EXPECT_EQ(f.session.scanCount(), 0);
    EXPECT_FALSE(f.session.cutter().synchronised());
    f.Feed({"32.0000,10.0000"});
    EXPECT_EQ(Head(f.session.record(), 3), (Values{0, 32, 10}));
}

TEST(CastSession, TavrinModelsFillTheirOwnRecords) {
    Fixture f(ScanLayout::TavrinCT, 0x0007);
    f.session.decoder().setConstants(250.0f, 30.0f);
    f.session.setTowed(true, nullptr); // only the Vexa models feed the pressure graphs
    f.Feed({"40.0,10.0,12:00:00"});
    EXPECT_EQ(f.sink.calls, (std::vector<std::string>{"plot9", "record", "count1"}));
    const ScanRecord& r = f.session.record();
    const float s = static_cast<float>(SeawaterSalinity(40.0, 10.0, 250.0));
    EXPECT_EQ(r[3], s);
    EXPECT_EQ(r[5], static_cast<float>(SeawaterTheta(s, 10.0, 250.0)));
    EXPECT_EQ(r[7], static_cast<float>(SeawaterDepth(250.0, 30.0)));
    EXPECT_EQ(f.sink.readouts, (std::vector<std::string>{"C:40.0", "T:10.0"}));

    // The Tavrin P skips the time and takes the barometer.
    Fixture p(ScanLayout::TavrinP, 0x0007);
    p.Feed({"100.5,12:00:00,1013.2"});
    const ScanRecord& pr = p.session.record();
    EXPECT_EQ(Head(pr, 3), (Values{0, 100.5f, 1013.2f}));
    EXPECT_EQ(pr[7], static_cast<float>(SeawaterDepth(100.5f, 45.0)));
    EXPECT_TRUE(p.sink.readouts.empty());
}

TEST(CastSession, HandsOffEachScanInOrder) {
    struct Stamp : RecordStamp {
        void appendTo(std::string& line) override { line += ", 4530.123, N"; }
    } stamp;
    Fixture f(ScanLayout::Vexa, 0x0007);
    f.session.setTowed(true, &stamp);
    std::vector<std::string> lines;
    for (int n = 0; n < 50; ++n)
        lines.push_back("30.0000,10.0000," + std::to_string(100 + n) + ".000");
    f.Feed(lines);
    std::vector<std::string> expected;
    for (int n = 1; n <= 50; ++n) {
        expected.insert(expected.end(), {"plot20", "record", "pressure"});
        if (n % 10 == 0)
            expected.push_back("redraw");
    }
    expected.push_back("count50");
    EXPECT_EQ(f.sink.calls, expected);
    EXPECT_EQ(f.sink.records.back(), "30.0000,10.0000,149.000, 4530.123, N");
    EXPECT_EQ(f.sink.scans.back()[0], 49.0f);
    // The listing holds the same lines as the data file.
    std::string listed;
    for (const std::string& record : f.sink.records)
        listed += record + "\r\n";
    EXPECT_EQ(f.session.listing().text(), listed);
}

TEST(CastSession, TicksWithoutBytesOnlyCheckZoomAndFile) {
    Fixture f(ScanLayout::Vexa, 0x0003);
    f.session.setAutoZoom(true, 3);
    std::vector<std::string> lines(50, "30.0000,10.0000");
    f.Feed(lines);
    f.sink.calls.clear();
    f.session.tick({});
    // Zoomed at the end of the first tick, so not yet due; the scan count is not shown.
    EXPECT_TRUE(f.sink.calls.empty());
    f.session.setAutoZoom(true, 0);
    f.session.tick({});
    EXPECT_EQ(f.sink.calls, std::vector<std::string>{"zoom"});
}

// Random bytes, line ends and digits in random reads: no crash, no read past a buffer
// (the sanitizer build watches), and the queue never overflows its capacity.
TEST(CastSession, SurvivesRandomInput) {
    std::mt19937 random(20261206);
    static const char kAlphabet[] = "0123456789.,-+eE \r\n\r\n\x00\x01\xff";
    const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
    for (ScanLayout layout : {ScanLayout::Vexa, ScanLayout::TavrinCT, ScanLayout::TavrinP}) {
        Fixture f(layout, 0xFFFF);
        for (int tick = 0; tick < 400; ++tick) {
            std::string bytes(random() % CastSession::kMaxBytesPerTick, '\0');
            for (char& c : bytes)
                c = (random() % 4 == 0) ? static_cast<char>(random())
                                        : alphabet[random() % alphabet.size()];
            f.session.tick(Bytes(bytes));
        }
        for (const std::string& record : f.sink.records)
            EXPECT_LE(record.size(), LineCutter::kLineBufferSize);
    }
}

// A live cast has every tick's records in the file when the tick ends; a replay writes the
// same bytes in blocks. A file the system refuses stops the session at the first failure.
TEST(CastSession, DurabilityDecidesWhenRecordsReachTheFileNotWhat) {
    test::TempFolder dir;
    std::vector<std::string> lines;
    for (int n = 0; n < 60; ++n) // one tick's worth
        lines.push_back("30.0000,10.0000," + std::to_string(1000 + n) + ".000");
    std::string written[2];
    for (Durability durability : {Durability::Live, Durability::Buffered}) {
        const auto path = dir / (durability == Durability::Live ? "live.dat" : "replay.dat");
        Fixture f(ScanLayout::Vexa, 0x0007, {}, durability, path.string());
        f.Feed(lines);
        const std::size_t mid = test::readFile(path).size();
        EXPECT_EQ(mid, durability == Durability::Live ? 60u * 26u : 0u);
        EXPECT_FALSE(f.session.EndCast({}, {}));
        written[durability == Durability::Live ? 0 : 1] = test::readFile(path);
    }
    EXPECT_EQ(written[0], written[1]);
    EXPECT_EQ(test::Lines(written[0]), lines);

    Fixture full(ScanLayout::Vexa, 0x0007, {}, Durability::Live, "/dev/full");
    full.Feed(lines);
    ASSERT_TRUE(full.session.writeFailure());
    EXPECT_EQ(full.session.writeFailure()->path, "/dev/full");
    EXPECT_EQ(full.session.writeFailure()->error, ENOSPC);
    full.sink.calls.clear();
    full.session.tick(Bytes("30.0000,10.0000,1000.000\r\n"));
    EXPECT_TRUE(full.sink.calls.empty()); // stopped
}

} // namespace
} // namespace halcyx
