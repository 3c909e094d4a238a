// Cutting and reading GPS sentences: split reads, garbage, broken sentences, and every
// capture of real receivers in the shared test data.

#include "core/navigation/NavReader.h"

#include "core/navigation/NavSentence.h"

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

std::span<const std::uint8_t> Bytes(const std::string& s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

// Feeds each tick's bytes and takes what the tick takes; the fixes found, in order.
std::vector<NavFix> Feed(NavReader& reader, NavFix& fix, const std::vector<std::string>& ticks,
                         bool useZda = false) {
    std::vector<NavFix> fixes;
    for (const std::string& tick : ticks) {
        reader.put(Bytes(tick));
        if (reader.takeFix(fix, useZda))
            fixes.push_back(fix);
    }
    return fixes;
}

NavFix Fix(double lat, char latH, double lon, char lonH, int h, int m, int s) {
    NavFix fix;
    fix.latitude = lat;
    fix.latHemisphere = latH;
    fix.longitude = lon;
    fix.lonHemisphere = lonH;
    fix.hour = static_cast<std::int16_t>(h);
    fix.minute = static_cast<std::int16_t>(m);
    fix.second = static_cast<std::int16_t>(s);
    return fix;
}

const std::string kGll = "$GPGLL,4916.4512,N,06311.1234,W,001559.00,A,A*7C\r\n";
const NavFix kGllFix = Fix(4916.4512, 'N', 6311.1234, 'W', 0, 15, 59);

struct Case {
    const char* name;
    std::vector<std::string> ticks;
    int fixes;     // ticks that found a "$GPGLL"
    NavFix expect; // the fix after the last tick
    bool useZda = false;
};

TEST(NavReader, ReadsWhatArrivesWhateverItsShape) {
    NavFix dated = kGllFix;
    dated.day = 6, dated.month = 12, dated.year = 2026;
    NavFix zdaTime = dated;
    zdaTime.hour = 1, zdaTime.minute = 2, zdaTime.second = 3;
    const std::string zda = "$GPZDA,010203,06,12,2026,00,00*4F\r\n";
    const std::vector<Case> cases = {
        {"one sentence", {kGll}, 1, kGllFix},
        {"split in three reads",
         {kGll.substr(0, 5), kGll.substr(5, 20), kGll.substr(25)},
         1,
         kGllFix},
        {"carriage return alone in the last read",
         {kGll.substr(0, kGll.size() - 2), "\r"},
         1,
         kGllFix},
        {"leading garbage and a half sentence",
         {std::string("\0\xff\x80 noise,,N,W\r\n", 16) + "6311.1234,W,001559\r\n" + kGll},
         1,
         kGllFix},
        {"bad checksum is still used",
         {"$GPGLL,4916.4512,N,06311.1234,W,001559,A,A*00\r\n"},
         1,
         kGllFix},
        {"truncated at the line end keeps the missing fields",
         {kGll, "$GPGLL,1234.5,S,00111.25\r\n"},
         2,
         Fix(1234.5, 'S', 111.25, 'W', 0, 15, 59)},
        {"cut by the next sentence drops the cut field",
         {kGll, "$GPGLL,1234.5,S,001$GPGLL"},
         2,
         Fix(1234.5, 'S', 6311.1234, 'W', 0, 15, 59)},
        {"cut inside the checksum keeps every field",
         {"$GPGLL,4916.4512,N,06311.1234,W,001559,A,A*7$GPGSA,A\r\n"},
         1,
         kGllFix},
        {"over-long sentence is used up to its buffer",
         {kGll, "$GPGLL,1234.5,S," + std::string(200, '9') + "\r\n" + "$GPGL"},
         2,
         Fix(1234.5, 'S', 6311.1234, 'W', 0, 15, 59)},
        {"empty fields give an unknown position at time 0",
         {kGll, "$GPGLL,,,,,,V,N*64\r\n"},
         2,
         Fix(0, 'X', 0, 'X', 0, 0, 0)},
        {"unprintable hemisphere is unknown",
         {std::string("$GPGLL,1,\x01,2,\0,3\r\n", 18)},
         1,
         Fix(1, 'X', 2, 'X', 0, 0, 0)},
        {"short and absurd times read as 0",
         {"$GPGLL,1,N,2,E,12\r\n", "$GPGLL,1,N,2,E,1e99\r\n"},
         2,
         Fix(1, 'N', 2, 'E', 0, 0, 0)},
        {"the date is ignored without GPS time", {zda, kGll}, 1, kGllFix},
        {"the date with GPS time", {zda, kGll}, 1, dated, true},
        {"a date after the position waits, then sets the time", {kGll + zda, ""}, 1, zdaTime, true},
        {"the first position ends the tick", {"$GPGLL,1,N,2,E,010101\r\n" + kGll, ""}, 2, kGllFix},
        {"a line feed alone ends nothing",
         {"$GPGLL,1,N,2,E,010101\n" + kGll},
         1,
         Fix(1, 'N', 2, 'E', 0, 0, 0)},
    };
    for (const Case& c : cases) {
        NavReader reader;
        NavFix fix;
        EXPECT_EQ(Feed(reader, fix, c.ticks, c.useZda).size(), static_cast<std::size_t>(c.fixes))
            << c.name;
        EXPECT_EQ(fix, c.expect) << c.name;
    }
}

TEST(NavReader, NoiseGivesNoPositionAndLeavesTheCutterUsable) {
    std::mt19937 random(7);
    NavReader reader;
    NavFix fix;
    for (int tick = 0; tick < 200; ++tick) {
        std::string noise(2000, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        reader.put(Bytes(noise));
        EXPECT_FALSE(reader.takeFix(fix, true));
    }
    EXPECT_EQ(fix, NavFix{});
    EXPECT_EQ(Feed(reader, fix, {"\r" + kGll}).size(), 1u);
    EXPECT_EQ(fix, kGllFix);
}

TEST(NavReader, ABacklogDropsWholeSentencesOnly) {
    NavReader reader;
    NavFix fix;
    std::string backlog;
    while (backlog.size() < 3 * Fifo::kCapacity)
        backlog += kGll;
    reader.put(Bytes(backlog));
    EXPECT_LE(reader.queuedBytes(), static_cast<int>(Fifo::kCapacity));
    int fixes = 0;
    while (reader.takeFix(fix, false)) {
        ASSERT_EQ(fix, kGllFix);
        ++fixes;
    }
    EXPECT_EQ(fixes, static_cast<int>(Fifo::kCapacity / (kGll.size() - 1)));
}

// The position and time of a "$GPGLL" line as its fields say, read without the program's
// reader: split at commas before the checksum, numbers as strtod reads them.
NavFix DirectReading(const std::string& sentence, NavFix fix) {
    const std::string data = sentence.substr(0, sentence.find('*'));
    std::vector<std::string> fields;
    std::istringstream in(data);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    if (!data.empty() && data.back() == ',')
        fields.emplace_back();
    const auto letter = [](const std::string& f) {
        return f.empty() || f[0] < '!' || f[0] > '~' ? 'X' : f[0];
    };
    if (fields.size() > 1)
        fix.latitude = std::strtod(fields[1].c_str(), nullptr);
    if (fields.size() > 2)
        fix.latHemisphere = letter(fields[2]);
    if (fields.size() > 3)
        fix.longitude = std::strtod(fields[3].c_str(), nullptr);
    if (fields.size() > 4)
        fix.lonHemisphere = letter(fields[4]);
    if (fields.size() > 5) {
        std::string t = fields[5];
        std::erase(t, ' ');
        const auto at = [&t](std::size_t i) {
            return i < t.size() ? std::strtod(t.c_str() + i, nullptr) : 0.0;
        };
        fix.hour = static_cast<std::int16_t>(at(0) / 10000);
        fix.minute = static_cast<std::int16_t>(at(2) / 100);
        fix.second = static_cast<std::int16_t>(at(4));
    }
    return fix;
}

std::vector<std::filesystem::path> Captures() {
    std::vector<std::filesystem::path> files;
    const std::filesystem::path folder = std::filesystem::path(HALCYX_SHARED_TESTDATA) / "nmea";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".nmea")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Each line of a capture is one tick; a well-formed "$GPGLL" line (one sentence, within the
// line buffer) must give exactly its fields, and everything else must not crash.
TEST(NavReader, EveryCaptureLineByLine) {
    const auto captures = Captures();
    if (captures.empty())
        GTEST_SKIP() << "no NMEA captures in " << HALCYX_SHARED_TESTDATA << "/nmea";
    for (const auto& file : captures) {
        const std::string stream = Slurp(file);
        NavReader reader;
        NavFix fix;
        int checked = 0;
        std::size_t start = 0;
        for (std::size_t end; (end = stream.find('\r', start)) != std::string::npos;
             start = end + 1) {
            const std::string line = stream.substr(start, end + 1 - start);
            reader.put(Bytes(line));
            const NavFix before = fix;
            const bool found = reader.takeFix(fix, true);
            const std::size_t tag = line.find("$GPGLL");
            const std::string sentence =
                tag == std::string::npos ? "" : line.substr(tag, line.size() - 1 - tag);
            if (tag == std::string::npos || line.find('$', tag + 1) != std::string::npos ||
                sentence.size() >= 100)
                continue;
            ASSERT_TRUE(found) << file.filename() << ": " << sentence;
            ASSERT_EQ(fix, DirectReading(sentence, before)) << file.filename() << ": " << sentence;
            ++checked;
        }
        EXPECT_GT(checked, 0) << file.filename();
    }
}

// Reads ending anywhere give the fixes that the same capture gives line by line.
TEST(NavReader, EveryCaptureInReadsOfEverySize) {
    const auto captures = Captures();
    if (captures.empty())
        GTEST_SKIP() << "no NMEA captures in " << HALCYX_SHARED_TESTDATA << "/nmea";
    // The fixes of the ticks, then of further empty ticks until nothing is left.
    const auto fixesOf = [](const std::vector<std::string>& ticks) {
        NavReader reader;
        NavFix fix;
        std::vector<NavFix> fixes = Feed(reader, fix, ticks, true);
        while (reader.queuedBytes() > 0)
            if (reader.takeFix(fix, true))
                fixes.push_back(fix);
        return fixes;
    };
    for (const auto& file : captures) {
        const std::string stream = Slurp(file);
        std::vector<std::string> lines;
        for (std::size_t start = 0; start < stream.size();) {
            const std::size_t end = std::min(stream.find('\r', start), stream.size() - 1);
            lines.push_back(stream.substr(start, end + 1 - start));
            start = end + 1;
        }
        const std::vector<NavFix> byLine = fixesOf(lines);
        EXPECT_FALSE(byLine.empty()) << file.filename();
        for (std::size_t size = 1; size <= 100; ++size) {
            std::vector<std::string> reads;
            for (std::size_t at = 0; at < stream.size(); at += size)
                reads.push_back(stream.substr(at, size));
            ASSERT_EQ(fixesOf(reads), byLine) << file.filename() << " in reads of " << size;
        }
    }
}

} // namespace
} // namespace halcyx
