// Decoding of memory dumps the simulator makes: every layout to the byte, every count and
// float as printf prints it, chunk boundaries, truncated scans, zeros and garbage.

#include "core/memory/MemoryDecoder.h"

#include "sim/MemoryDump.h"
#include "sim/Ocean.h"

#include <bit>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace halcyx::test {
namespace {

namespace md = sim::memory_dump;
using namespace std::string_literals;

class Lines : public DecodedLineSink {
public:
    void onLine(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

std::span<const std::uint8_t> bytesOf(std::string_view dump) {
    return {reinterpret_cast<const std::uint8_t*>(dump.data()), dump.size()};
}

std::vector<std::string> decode(const MemoryLayout& layout, std::string_view dump,
                                long scans = -1) {
    Lines sink;
    MemoryDecoder decoder(layout, scans < 0 ? long(dump.size()) / layout.bytesPerScan : scans,
                          sink);
    decoder.feed(bytesOf(dump));
    return sink.lines;
}

constexpr ChannelMask kVexaAll = 0x33F; // CH1..CH6, DC1, DC2
const md::VexaChannels kVexaAllOn{{true, true, true, true, true, true}, {true, true}};
// 2026-12-06 12:00:00 UTC, day 340 of the year.
const sim::Sample kSample{35.0, 10.0, 100.0, 35.0, 1500.0, 1013.25, {0x04D2, 0xFFFF}, 1796558400};

struct LayoutCase {
    const char* name;
    MemoryLayout layout;
    std::string (*record)(const sim::Sample&);
};
const LayoutCase kLayouts[] = {
    {"scaled Vexa",
     {MemoryFormat::VexaScaled, kVexaAll, 18, 60},
     [](const sim::Sample& s) { return md::vexaScaledRecord(s, kVexaAllOn, 60); }},
    {"float Vexa",
     {MemoryFormat::VexaFloat, kVexaAll, 31},
     [](const sim::Sample& s) { return md::vexaFloatRecord(s, kVexaAllOn); }},
    {"Tavrin CT",
     {MemoryFormat::TavrinCT, 0x3, 4},
     [](const sim::Sample& s) { return md::tavrinCtRecord(s, false); }},
    {"Tavrin CT with time",
     {MemoryFormat::TavrinCT, 0x7, 8},
     [](const sim::Sample& s) { return md::tavrinCtRecord(s, true); }},
    {"Tavrin P",
     {MemoryFormat::TavrinP, 0x7, 8},
     [](const sim::Sample& s) { return md::tavrinPRecord(s, true, true); }},
};

// A profile of scans, one second apart, as the simulator logs them.
std::vector<sim::Sample> profile(int scans) {
    std::vector<sim::Sample> samples;
    for (int i = 0; i < scans; ++i) {
        // Down to 80 dbar, within the Tavrin P pressure counts.
        sim::Sample s = sim::Ocean::water(sim::Ocean::castPressure(i * 7.0) * 0.4);
        s.barometer = sim::Ocean::barometer(i * 7.0);
        s.clockS = kSample.clockS + i * 3607;
        samples.push_back(s);
    }
    return samples;
}

// The text snprintf makes of the values.
template <typename... Values> std::string printed(const char* format, Values... values) {
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string dumpOf(const LayoutCase& c, const std::vector<sim::Sample>& samples) {
    std::string dump;
    for (const sim::Sample& s : samples)
        dump += c.record(s);
    return dump;
}

TEST(MemoryDecoder, EveryLayoutToTheByte) {
    sim::Sample moored = kSample;
    moored.pressure = 50.0;
    const std::string expected[] = {
        "+35.0000, +10.0000, +100.0000, 12:00:00 12-06-2026, +35.0000, +1500.0000, 1234, 65535",
        "+35.0000, +10.0000, +100.0000, 12:00:00 12-06-2026, +35.0000, +1500.0000, 1234, 65535",
        " +35.000,  +10.000",
        " +35.000,  +10.000, 12:00:00 12-6-2026",
        " +50.000, 12:00:00 12-6-2026, +1013.250",
    };
    for (std::size_t i = 0; i < std::size(kLayouts); ++i) {
        const LayoutCase& c = kLayouts[i];
        const std::string record = c.record(i == 4 ? moored : kSample);
        ASSERT_EQ(record.size(), std::size_t(c.layout.bytesPerScan)) << c.name;
        EXPECT_EQ(decode(c.layout, record), std::vector{expected[i]}) << c.name;
    }
}

TEST(MemoryDecoder, AnyChunkBoundaryGivesTheSameLines) {
    const std::vector<sim::Sample> samples = profile(5);
    for (const LayoutCase& c : kLayouts) {
        const std::string dump = dumpOf(c, samples);
        const std::vector<std::string> whole = decode(c.layout, dump);
        for (std::size_t cut = 0; cut <= dump.size(); ++cut) {
            Lines sink;
            MemoryDecoder decoder(c.layout, long(samples.size()), sink);
            decoder.feed(bytesOf(dump).first(cut));
            EXPECT_EQ(decoder.partialBytes(), cut % std::size_t(c.layout.bytesPerScan));
            for (std::size_t at = cut; at < dump.size(); ++at)
                decoder.feed(bytesOf(dump).subspan(at, 1));
            EXPECT_EQ(sink.lines, whole) << c.name << " cut at " << cut;
        }
    }
}

TEST(MemoryDecoder, StopsAtTheScansToDecode) {
    const LayoutCase& ct = kLayouts[2];
    const std::string dump = dumpOf(ct, profile(6));
    // Six logged scans; a Tavrin decodes five, and a long download's extra scan of zeros
    // (the last chunk asks for one more) is not written either.
    EXPECT_EQ(scansToDecode(MemoryFormat::VexaFloat, 6), 6);
    EXPECT_EQ(scansToDecode(MemoryFormat::TavrinP, 0), 0);
    Lines sink;
    MemoryDecoder decoder(ct.layout, scansToDecode(MemoryFormat::TavrinCT, 6), sink);
    decoder.feed(bytesOf(dump + std::string(4, '\0')));
    EXPECT_EQ(sink.lines, decode(ct.layout, dump.substr(0, 20)));
    EXPECT_TRUE(decoder.complete());
    EXPECT_EQ(decoder.receivedBytes(), 28);
    EXPECT_EQ(decoder.scansRead(), 7);

    // A truncated last scan is kept, never decoded from what is missing.
    Lines partial;
    MemoryDecoder cut(ct.layout, 6, partial);
    cut.feed(bytesOf(dump).first(dump.size() - 3));
    EXPECT_EQ(partial.lines.size(), 5u);
    EXPECT_EQ(cut.partialBytes(), 1u);
    EXPECT_FALSE(cut.complete());
}

TEST(MemoryDecoder, MemoryNeverWrittenAndOddClockWords) {
    const struct {
        MemoryLayout layout;
        std::string bytes;
        const char* line;
    } cases[] = {
        {{MemoryFormat::VexaScaled, kVexaAll, 18, 60},
         std::string(18, '\0'),
         " +0.0000,  +0.0000,  +0.0000, 00:00:00 00-00-0000,  +0.0000,  +0.0000, 0, 0"},
        {{MemoryFormat::VexaFloat, kVexaAll, 31},
         std::string(31, '\0'),
         " +0.0000,  +0.0000,  +0.0000, 00:00:00 00-00-0000,  +0.0000,  +0.0000, 0, 0"},
        {{MemoryFormat::TavrinCT, 0x7, 8},
         std::string(8, '\0'),
         "  -2.000,   -2.000, 00:00:00 01-0-1997"},
        {{MemoryFormat::TavrinP, 0x7, 8},
         std::string(8, '\0'),
         " -10.000, 00:00:00 01-0-1997, +500.000"},
        // Time bytes of 2100-03-01 (not a leap year) and of the last second a word holds.
        {{MemoryFormat::VexaScaled, 0x8, 4, 10}, "\xF4\xD4\x1F\x80"s, "00:00:00 03-01-2100"},
        {{MemoryFormat::VexaScaled, 0x8, 4, 10}, "\xFF\xFF\xFF\xFF"s, "06:28:15 02-07-2106"},
        // Float time bytes beyond two digits are printed whole.
        {{MemoryFormat::VexaFloat, 0x8, 7},
         "\xFF\x05\x3B\x0C\x1F\x14\x07"s,
         "255:05:59 12-31-2007"},
        // Tavrin words: day 60 of a leap year, afternoon; day 366 of a common year has no date;
        // day 366 of a leap year; day 32.
        {{MemoryFormat::TavrinP, 0x2, 4}, "\x0E\x10\x1E\x5B"s, ", 13:00:00 02-29-2024"},
        {{MemoryFormat::TavrinP, 0x2, 4}, "\x00\x3B\xB7\x1D"s, ", 00:00:59 "},
        {{MemoryFormat::TavrinP, 0x2, 4}, "\x00\x3B\xB7\x1B"s, ", 00:00:59 12-31-2024"},
        {{MemoryFormat::TavrinP, 0x2, 4}, "\xA8\xBF\x10\x00"s, ", 11:59:59 02-1-1997"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decode(c.layout, c.bytes), std::vector<std::string>{c.line}) << c.line;
}

// Float fields print as snprintf's "%+8.4f" prints them, whatever the bits: ties, signed
// zeros, tiny and huge values, infinities and NaNs.
TEST(MemoryDecoder, FloatsPrintAsPrintfDoes) {
    std::vector<float> values = {0.0F,   -0.0F,         0.03125F, 0.09375F, -0.00005F,
                                 1e-40F, 3.4028235e38F, -1e20F,   1e9F,     123456.78F};
    for (const std::uint32_t bits : {0x7F800000u, 0xFF800000u, 0x7FC00000u, 0xFFC00001u})
        values.push_back(std::bit_cast<float>(bits));
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i)
        values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(random())));
    std::string dump;
    for (const float v : values) {
        const auto bits = std::bit_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8)
            dump += static_cast<char>(bits >> shift & 0xFF);
    }
    const std::vector<std::string> lines =
        decode({MemoryFormat::VexaFloat, mask::kConductivity, 4}, dump);
    ASSERT_EQ(lines.size(), values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(lines[i], printed("%+8.4f", double(values[i])))
            << std::bit_cast<std::uint32_t>(values[i]);
}

// Every 16-bit count of every scaled channel prints as snprintf prints the value of its
// conversion.
TEST(MemoryDecoder, CountsPrintAsPrintfDoes) {
    const struct {
        MemoryLayout layout;
        std::string (*expected)(unsigned n);
    } cases[] = {
        {{MemoryFormat::VexaScaled, 0x37, 10, 60},
         [](unsigned n) {
             const auto v = [n](double x) { return n == 0 ? 0.0 : x; };
             return printed("%+8.4f, %+8.4f, %+8.4f, %+8.4f, %+8.4f", v(0.001 * n - 2.0),
                            v(0.0005 * n - 2.0), v(n / 60.0 - 5.0), v(0.001 * n - 2.0),
                            v(n / 600.0 + 1450.0));
         }},
        {{MemoryFormat::TavrinCT, 0x3, 4},
         [](unsigned n) { return printed("%+8.3f, %+8.3f", 0.001 * n - 2.0, 0.0005 * n - 2.0); }},
        {{MemoryFormat::TavrinP, 0x5, 4},
         [](unsigned n) { return printed("%+8.3f, %+8.3f", n / 700.0 - 10.0, 0.01 * n + 500.0); }},
    };
    for (const auto& c : cases) {
        std::string dump;
        for (unsigned n = 0; n < 65536; ++n)
            for (int field = 0; field < c.layout.bytesPerScan / 2; ++field)
                dump += std::string{char(n >> 8), char(n & 0xFF)};
        const std::vector<std::string> lines = decode(c.layout, dump);
        ASSERT_EQ(lines.size(), 65536u);
        for (unsigned n = 0; n < 65536; ++n)
            ASSERT_EQ(lines[n], c.expected(n)) << "count " << n;
    }
}

TEST(MemoryDecoder, GarbageDecodesWithoutHarm) {
    std::mt19937 random(11);
    std::string garbage(4096, '\0');
    for (char& byte : garbage)
        byte = static_cast<char>(random());
    for (const LayoutCase& c : kLayouts) {
        const std::vector<std::string> lines = decode(c.layout, garbage);
        EXPECT_EQ(lines.size(), garbage.size() / std::size_t(c.layout.bytesPerScan)) << c.name;
    }
}

TEST(MemoryLayout, ProblemsAndDivisors) {
    // Bytes beyond the fields are passed over; no divisor is needed without pressure.
    const std::pair<MemoryLayout, std::optional<std::string>> layouts[] = {
        {{MemoryFormat::VexaScaled, kVexaAll, 18, 60}, std::nullopt},
        {{MemoryFormat::VexaScaled, kVexaAll, 20, 60}, std::nullopt},
        {{MemoryFormat::VexaFloat, kVexaAll, 18}, "the channels need 31 bytes per scan, not 18"},
        {{MemoryFormat::TavrinP, 0x7, 0}, "the bytes per scan must be positive"},
        {{MemoryFormat::VexaScaled, 0x4, 2, 0}, "the pressure divisor must be positive"},
        {{MemoryFormat::VexaScaled, 0x3, 4, 0}, std::nullopt}};
    for (const auto& [layout, problem] : layouts)
        EXPECT_EQ(layoutProblem(layout), problem) << problem.value_or("no problem");
    // A layout that cannot be decoded writes nothing rather than reading past a scan.
    EXPECT_TRUE(decode({MemoryFormat::VexaFloat, kVexaAll, 18}, std::string(36, 'x'), 2).empty());

    const std::pair<const char*, std::optional<int>> answers[] = {
        {"A1003=1000.0\r\n", 60}, {"A1003= 399\r\n", 300},     {"A1003=3500", 10},
        {"A1003=\r\n", 300},      {"A1003\r\n", std::nullopt}, {"=1e999", 10}};
    for (const auto& [answer, divisor] : answers)
        EXPECT_EQ(pressureDivisorFromAnswer(answer), divisor) << answer;
}

} // namespace
} // namespace halcyx::test
