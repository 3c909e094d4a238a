// Cutting and reading GPS sentences: split reads, garbage, broken sentences, and every
// capture of real receivers in the shared test data.

#include "core/navigation/NavReader.h"

#include "tests/acquisition/TestText.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace halcyx {
namespace {

using test::Bytes;

// Feeds each tick's bytes and takes what the tick takes, then empties the queue with
// further ticks; the fixes found, in order.
std::vector<NavFix> Feed(NavFix& fix, const std::vector<std::string>& ticks, bool useZda) {
    NavReader reader;
    std::vector<NavFix> fixes;
    for (const std::string& tick : ticks) {
        reader.put(Bytes(tick));
        if (reader.takeFix(fix, useZda))
            fixes.push_back(fix);
    }
    while (reader.queuedBytes() > 0)
        if (reader.takeFix(fix, useZda))
            fixes.push_back(fix);
    return fixes;
}

const std::string kGll = "$GPGLL,4916.4512,N,06311.1234,W,001559.00,A,A*7C\r\n";
const NavFix kGllFix{4916.4512, 6311.1234, 'N', 'W', 0, 15, 59};

TEST(NavReader, ReadsWhatArrivesWhateverItsShape) {
    const std::string zda = "$GPZDA,010203,06,12,2026,00,00*4F\r\n";
    NavFix dated = kGllFix;
    dated.day = 6, dated.month = 12, dated.year = 2026;
    NavFix zdaLast = dated;
    zdaLast.hour = 1, zdaLast.minute = 2, zdaLast.second = 3;
    const NavFix south{1234.5, 6311.1234, 'S', 'W', 0, 15, 59};
    struct Case {
        const char* name;
        std::vector<std::string> ticks;
        std::size_t fixes;
        NavFix expect; // after the last fix and what followed it
        bool useZda = false;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"split in three reads", {kGll.substr(0, 5), kGll.substr(5, 20), kGll.substr(25)},
         1, kGllFix},
        {"carriage return alone", {kGll.substr(0, kGll.size() - 2), "\r"}, 1, kGllFix},
        {"leading garbage and a half sentence",
         {std::string("\0\xff\x80 noise,,N,W\r\n", 16) + "6311.1234,W,001559\r\n" + kGll},
         1, kGllFix},
        {"bad checksum", {"$GPGLL,4916.4512,N,06311.1234,W,001559,A,A*00\r\n"}, 1, kGllFix},
        {"truncated keeps the missing fields", {kGll, "$GPGLL,1234.5,S,00111.25\r\n"},
         2, {1234.5, 111.25, 'S', 'W', 0, 15, 59}},
        {"cut by the next sentence loses the cut field", {kGll, "$GPGLL,1234.5,S,001$GPGLL"},
         2, south},
        {"cut in the checksum keeps every field",
         {"$GPGLL,4916.4512,N,06311.1234,W,001559,A,A*7$GPGSA,A\r\n"}, 1, kGllFix},
        {"over-long is used up to the buffer",
         {kGll, "$GPGLL,1234.5,S," + std::string(200, '9') + "\r\n$GPGL"}, 2, south},
        {"a line feed ends nothing", {kGll, "$GPGLL,1234.5,S,001559\n$"}, 2, south},
        {"empty fields", {kGll, "$GPGLL,,,,,,V,N*64\r\n"}, 2, {0, 0, 'X', 'X', 0, 0, 0}},
        {"unprintable hemispheres", {std::string("$GPGLL,1,\x01,2,\0,3\r\n", 18)},
         1, {1, 2, 'X', 'X', 0, 0, 0}},
        {"short and absurd times", {"$GPGLL,1,N,2,E,12\r\n", "$GPGLL,1,N,2,E,1e99\r\n"},
         2, {1, 2, 'N', 'E', 0, 0, 0}},
        {"no date without GPS time", {zda, kGll}, 1, kGllFix},
        {"date with GPS time", {zda, kGll}, 1, dated, true},
        {"a date after the position waits", {kGll + zda}, 1, zdaLast, true},
        {"the first position ends the tick", {kGll + "$GPGLL,1,N,2,E,010101\r"},
         2, {1, 2, 'N', 'E', 1, 1, 1}},
    };
    // clang-format on
    for (const Case& c : cases) {
        NavFix fix;
        EXPECT_EQ(Feed(fix, c.ticks, c.useZda).size(), c.fixes) << c.name;
        EXPECT_EQ(fix, c.expect) << c.name;
    }
}

TEST(NavReader, NoiseGivesNoPositionAndLeavesTheCutterUsable) {
    std::mt19937 random(7);
    std::vector<std::string> ticks(200, std::string(2000, '\0'));
    for (std::string& tick : ticks)
        for (char& c : tick)
            c = static_cast<char>(random());
    ticks.push_back("\r" + kGll);
    NavFix fix;
    EXPECT_EQ(Feed(fix, ticks, true), std::vector<NavFix>{kGllFix});
}

TEST(NavReader, ABacklogDropsWholeSentencesOnly) {
    std::string backlog;
    while (backlog.size() < 3 * Fifo::kCapacity)
        backlog += kGll;
    NavFix fix;
    const std::size_t fits = Fifo::kCapacity / (kGll.size() - 1); // queued with CR only
    EXPECT_EQ(Feed(fix, {backlog}, false), std::vector<NavFix>(fits, kGllFix));
}

// The position and time of a "$GPGLL" sentence as its fields say, read without the
// program's reader: split at commas before the checksum, numbers as strtod reads them.
NavFix DirectReading(const std::string& sentence, NavFix fix) {
    const std::string data = sentence.substr(0, sentence.find('*')) + ",";
    std::vector<std::string> f;
    std::istringstream in(data);
    for (std::string field; std::getline(in, field, ',');)
        f.push_back(field);
    const auto letter = [](const std::string& s) {
        return s.empty() || s[0] < '!' || s[0] > '~' ? 'X' : s[0];
    };
    const auto number = [](const std::string& s, std::size_t at) {
        return at < s.size() ? std::strtod(s.c_str() + at, nullptr) : 0.0;
    };
    if (f.size() > 1)
        fix.latitude = number(f[1], 0);
    if (f.size() > 2)
        fix.latHemisphere = letter(f[2]);
    if (f.size() > 3)
        fix.longitude = number(f[3], 0);
    if (f.size() > 4)
        fix.lonHemisphere = letter(f[4]);
    if (f.size() > 5) {
        std::erase(f[5], ' ');
        fix.hour = static_cast<std::int16_t>(number(f[5], 0) / 10000);
        fix.minute = static_cast<std::int16_t>(number(f[5], 2) / 100);
        fix.second = static_cast<std::int16_t>(number(f[5], 4));
    }
    return fix;
}

// Line by line, a well-formed "$GPGLL" (one sentence within the line buffer) gives exactly
// its fields and nothing crashes; reads of every size from 1 to 100 bytes give the same
// fixes as line by line.
TEST(NavReader, EveryCapture) {
    std::vector<std::filesystem::path> captures;
    std::error_code error;
    const auto folder = std::filesystem::path(HALCYX_SHARED_TESTDATA) / "nmea";
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".nmea")
            captures.push_back(entry.path());
    if (captures.empty())
        GTEST_SKIP() << "no NMEA captures in " << folder;
    for (const auto& file : captures) {
        std::ifstream in(file, std::ios::binary);
        const std::string stream{std::istreambuf_iterator<char>(in), {}};
        std::vector<std::string> lines;
        NavFix fix;
        int checked = 0;
        for (std::size_t start = 0, end = 0; start < stream.size(); start = end + 1) {
            end = std::min(stream.find('\r', start), stream.size() - 1);
            lines.push_back(stream.substr(start, end + 1 - start));
            const NavFix before = fix;
            const bool found = !Feed(fix, {lines.back()}, true).empty();
            const std::size_t tag = lines.back().find("$GPGLL");
            const std::string sentence =
                tag == std::string::npos ? "" : lines.back().substr(tag, end - start - tag);
            if (sentence.empty() || sentence.find('$', 1) != std::string::npos ||
                sentence.size() >= 100)
                continue;
            ASSERT_TRUE(found) << file.filename() << ": " << sentence;
            ASSERT_EQ(fix, DirectReading(sentence, before)) << file.filename() << ": " << sentence;
            ++checked;
        }
        EXPECT_GT(checked, 0) << file.filename();

        NavFix byLineFix;
        const std::vector<NavFix> byLine = Feed(byLineFix, lines, true);
        for (std::size_t size = 1; size <= 100; ++size) {
            std::vector<std::string> reads;
            for (std::size_t at = 0; at < stream.size(); at += size)
                reads.push_back(stream.substr(at, size));
            NavFix readFix;
            ASSERT_EQ(Feed(readFix, reads, true), byLine) << file.filename() << " in " << size;
        }
    }
}

} // namespace
} // namespace halcyx
