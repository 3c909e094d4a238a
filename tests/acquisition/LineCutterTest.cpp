// The line cutter: synchronisation, margins, split reads, garbage and over-long input.

#include "core/acquisition/LineCutter.h"

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

// Lines from to to - 1, each with its CR LF; with a NUL in the fifth place where asked.
std::string Lines(int from, int to, bool nul = false) {
    std::string s;
    for (int n = from; n < to; ++n) {
        std::string line = ScanLine(n);
        if (nul)
            line[4] = '\0';
        s += line + "\r\n";
    }
    return s;
}

// Feeds each tick's bytes into the queue, then cuts until the cutter stops; gives the lines
// cut, each with a CR LF.
std::string CutTicks(ScanLayout layout, const std::vector<std::string>& ticks,
                     int* lineLength = nullptr) {
    LineCutter cutter(LineCutter::forLayout(layout));
    Fifo queue;
    std::string out;
    for (const std::string& tick : ticks) {
        for (char c : tick)
            queue.Put(static_cast<std::uint8_t>(c));
        while (cutter.next(queue) == LineCutter::Step::Line)
            out += std::string(cutter.line()) + "\r\n";
    }
    if (lineLength != nullptr)
        *lineLength = cutter.lineLength();
    return out;
}

std::vector<std::string> Chunked(const std::string& stream, std::size_t size = 64) {
    std::vector<std::string> ticks;
    for (std::size_t i = 0; i < stream.size(); i += size)
        ticks.push_back(stream.substr(i, size));
    return ticks;
}

struct Case {
    const char* name;
    ScanLayout layout;
    std::vector<std::string> ticks;
    std::string lines;
    int lineLength;
};

// Lines 0 and 1 are measured at synchronisation and not cut. The last two lines (64
// bytes) stay queued: no more than L + 50 = 79 bytes remain after line 17.
std::vector<Case> Cases() {
    const std::string partial = "123,  99.1234\r\n";
    std::string lengths; // never repeating line lengths
    for (int n = 1; n < 120; ++n)
        lengths += std::string(n, 'x') + "\r\n";
    // Synchronised with one line feed left queued; then a line, padded to the margin L + 50.
    const std::string sync = std::string(250, 'z') + "\r\n" + Lines(0, 2);
    const std::string atMargin = ScanLine(7) + "\r" + std::string(29 + 50 - 31, ' ');
    const std::string shortLine = "short\r\n" + Lines(10, 16);
    const std::string run(700, 'x');
    const std::size_t cut = LineCutter::kLineBufferSize;
    return {{"garbage, then the middle of a line", ScanLayout::Vexa,
             Chunked(std::string("\x07\xff\x01junk", 8) + partial + Lines(0, kLines)),
             Lines(2, kLines - 2), 29},
            // Two lines of different lengths cost a tick and their bytes; the next attempt
            // starts over at the following line end.
            {"unequal lines at synchronisation", ScanLayout::Vexa,
             Chunked(partial + "ab\r\ncdef\r\n" + Lines(0, kLines)), Lines(3, kLines - 2), 29},
            // The Tavrin P starts after only 20 bytes and keeps a margin of 10.
            {"Tavrin P", ScanLayout::TavrinP, Chunked("5\r\n" + Lines(0, 6), 8), Lines(2, 5), 29},
            {"never repeating line lengths", ScanLayout::Vexa, Chunked(lengths, 100), {}, 0},
            {"line ends only", ScanLayout::Vexa, Chunked(std::string(600, '\r'), 100), {}, 0},
            {"exactly the margin queued", ScanLayout::Vexa, {sync, atMargin}, {}, 29},
            {"one byte over the margin", ScanLayout::Vexa, {sync, atMargin + " "}, Lines(7, 8), 29},
            // A Vexa line shorter than the others ends the tick; the next tick goes on.
            {"short line", ScanLayout::Vexa, {sync, shortLine}, {}, 29},
            {"after a short line", ScanLayout::Vexa, {sync, shortLine, ""}, Lines(10, 14), 29},
            {"NUL bytes inside lines are kept", ScanLayout::Vexa,
             Chunked(partial + Lines(0, kLines, true)), Lines(2, kLines - 2, true), 29},
            // A run without a line end is cut at the buffer size; its rest starts the next line.
            {"over-long line", ScanLayout::Vexa,
             Chunked(partial + Lines(0, 4) + run + Lines(4, kLines)),
             Lines(2, 4) + run.substr(0, cut) + "\r\n" + run.substr(cut) + Lines(4, kLines - 2),
             29}};
}

TEST(LineCutter, CutsTheExpectedLines) {
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        int lineLength = -1;
        EXPECT_EQ(CutTicks(c.layout, c.ticks, &lineLength), c.lines);
        EXPECT_EQ(lineLength, c.lineLength);
    }
}

TEST(LineCutter, ASplitAnywhereGivesTheSameLines) {
    const std::string stream = "9.1234\r\n" + Lines(0, kLines);
    const std::string whole = CutTicks(ScanLayout::Vexa, {stream});
    ASSERT_FALSE(whole.empty());
    for (std::size_t k = 0; k <= stream.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(CutTicks(ScanLayout::Vexa, {stream.substr(0, k), stream.substr(k)}), whole);
    }
}

} // namespace
} // namespace halcyx
