// The line cutter: synchronisation, margins, split reads, garbage and over-long input.

#include "acquisition/LineCutter.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace halcyx {
namespace {

constexpr int kLines = 20;

// A Vexa-like line of 29 characters whose digits change with n.
std::string ScanLine(int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%9.4f,%9.4f,%9.3f", 30.0 + n * 0.01, 10.0 - n * 0.1, n * 0.5);
    return buf;
}

std::string Lines(int from, int to) {
    std::string s;
    for (int n = from; n < to; ++n)
        s += ScanLine(n) + "\r\n";
    return s;
}

// Feeds each tick's bytes into the queue, then cuts until the cutter stops.
std::vector<std::string> CutTicks(ScanLayout layout, const std::vector<std::string>& ticks,
                                  int* lineLength = nullptr) {
    LineCutter cutter(LineCutter::ForLayout(layout));
    Fifo queue;
    std::vector<std::string> out;
    for (const std::string& tick : ticks) {
        for (char c : tick)
            queue.Put(static_cast<std::uint8_t>(c));
        while (cutter.Next(queue) == LineCutter::Step::Line)
            out.emplace_back(cutter.line());
    }
    if (lineLength != nullptr)
        *lineLength = cutter.lineLength();
    return out;
}

std::vector<std::string> Chunked(const std::string& stream, std::size_t size) {
    std::vector<std::string> ticks;
    for (std::size_t i = 0; i < stream.size(); i += size)
        ticks.push_back(stream.substr(i, size));
    return ticks;
}

std::vector<std::string> Expected(int from, int to) {
    std::vector<std::string> v;
    for (int n = from; n < to; ++n)
        v.push_back(ScanLine(n));
    return v;
}

struct Case {
    const char* name;
    ScanLayout layout;
    std::string stream;
    std::size_t chunk;
    std::vector<std::string> lines;
    int lineLength;
};

// Lines 0 and 1 are measured at synchronisation and not cut. The last two lines (64
// bytes) stay queued: no more than L + 50 = 79 bytes remain after line 17.
std::vector<Case> Cases() {
    const std::string partial = "123,  99.1234\r\n";
    std::vector<Case> cases = {
        {"starts in the middle of a line", ScanLayout::Vexa, partial + Lines(0, kLines), 64,
         Expected(2, kLines - 2), 29},
        {"garbage without a line end first", ScanLayout::Vexa,
         std::string("\x07\xff\x01junk", 8) + partial + Lines(0, kLines), 64,
         Expected(2, kLines - 2), 29},
        // Two lines of different lengths cost a tick and their bytes; the next attempt
        // starts over at the following line end.
        {"unequal lines at synchronisation", ScanLayout::Vexa,
         partial + "ab\r\ncdef\r\n" + Lines(0, kLines), 64, Expected(3, kLines - 2), 29},
        // The Tavrin P starts after only 20 bytes and keeps a margin of 10.
        {"Tavrin P short fill", ScanLayout::TavrinP, "5\r\n" + Lines(0, 6), 8, Expected(2, 5), 29},
        {"never repeating line lengths",
         ScanLayout::Vexa,
         [] {
             std::string s;
             for (int n = 1; n < 120; ++n)
                 s += std::string(n, 'x') + "\r\n";
             return s;
         }(),
         100,
         {},
         0},
        {"line ends only", ScanLayout::Vexa, std::string(600, '\r'), 100, {}, 0},
    };
    // NUL and other bytes inside a line are kept as received.
    std::string withNul = partial;
    std::vector<std::string> nulLines;
    for (int n = 0; n < kLines; ++n) {
        std::string line = ScanLine(n);
        line[4] = '\0';
        withNul += line + "\r\n";
        if (n >= 2 && n < kLines - 2)
            nulLines.push_back(line);
    }
    cases.push_back({"NUL bytes inside lines", ScanLayout::Vexa, withNul, 64, nulLines, 29});
    // A run without a line end is cut at the buffer size; its rest starts the next line.
    const std::string run(700, 'x');
    std::vector<std::string> longLines = Expected(2, 4);
    longLines.push_back(run.substr(0, LineCutter::kLineBufferSize));
    longLines.push_back(run.substr(LineCutter::kLineBufferSize) + ScanLine(4));
    for (const std::string& line : Expected(5, kLines - 2))
        longLines.push_back(line);
    cases.push_back({"over-long line cut at the buffer size", ScanLayout::Vexa,
                     partial + Lines(0, 4) + run + Lines(4, kLines), 64, longLines, 29});
    return cases;
}

TEST(LineCutter, CutsTheExpectedLines) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        int lineLength = -1;
        EXPECT_EQ(CutTicks(c.layout, Chunked(c.stream, c.chunk), &lineLength), c.lines);
        EXPECT_EQ(lineLength, c.lineLength);
    }
}

TEST(LineCutter, ASplitAnywhereGivesTheSameLines) {
    const std::string stream = "9.1234\r\n" + Lines(0, kLines);
    const std::vector<std::string> whole = CutTicks(ScanLayout::Vexa, {stream});
    ASSERT_FALSE(whole.empty());
    for (std::size_t k = 0; k <= stream.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(CutTicks(ScanLayout::Vexa, {stream.substr(0, k), stream.substr(k)}), whole);
    }
}

// Synchronises a cutter on two lines of 29 characters, leaving the queue empty.
void Synchronise(LineCutter& cutter, Fifo& queue) {
    const std::string sync = std::string(250, 'z') + "\r\n" + Lines(0, 2);
    for (char c : sync)
        queue.Put(static_cast<std::uint8_t>(c));
    ASSERT_EQ(cutter.Next(queue), LineCutter::Step::Drained);
    ASSERT_TRUE(cutter.synchronised());
    ASSERT_EQ(queue.Count(), 1); // the last line feed
}

TEST(LineCutter, CutsOnlyWhenMoreThanTheMarginIsQueued) {
    LineCutter cutter(LineCutter::ForLayout(ScanLayout::Vexa));
    Fifo queue;
    Synchronise(cutter, queue);
    // A complete line followed by padding up to exactly L + 50 queued bytes.
    std::string more = ScanLine(7) + "\r";
    more += std::string(29 + 50 - 1 - more.size(), ' ');
    for (char c : more)
        queue.Put(static_cast<std::uint8_t>(c));
    ASSERT_EQ(queue.Count(), 29 + 50);
    EXPECT_EQ(cutter.Next(queue), LineCutter::Step::Drained);
    queue.Put(' ');
    ASSERT_EQ(cutter.Next(queue), LineCutter::Step::Line);
    EXPECT_EQ(cutter.line(), ScanLine(7));
}

TEST(LineCutter, AShortVexaLineEndsTheTick) {
    LineCutter cutter(LineCutter::ForLayout(ScanLayout::Vexa));
    Fifo queue;
    Synchronise(cutter, queue);
    const std::string rest = "short\r\n" + Lines(10, 16);
    for (char c : rest)
        queue.Put(static_cast<std::uint8_t>(c));
    EXPECT_EQ(cutter.Next(queue), LineCutter::Step::Stopped);
    ASSERT_EQ(cutter.Next(queue), LineCutter::Step::Line); // the next tick goes on
    EXPECT_EQ(cutter.line(), ScanLine(10));
}

} // namespace
} // namespace halcyx
