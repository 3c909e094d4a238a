// The module's line reader, its record texts and the module graph's history and scrolling.
#include "core/module/ModGraphData.h"
#include "core/module/ModuleLineReader.h"
#include "core/module/ModuleRecord.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace halcyx {
namespace {

// The lines a reader hands out for each chunk of bytes, one chunk per tick.
std::vector<std::vector<std::string>> readTicks(const std::vector<std::string>& chunks) {
    ModuleLineReader reader;
    reader.restart();
    Fifo queue;
    std::vector<std::vector<std::string>> ticks;
    for (const std::string& chunk : chunks) {
        for (const char c : chunk)
            queue.Put(static_cast<std::uint8_t>(c));
        ticks.emplace_back();
        while (reader.next(queue))
            ticks.back().emplace_back(reader.line());
    }
    return ticks;
}

using Ticks = std::vector<std::vector<std::string>>;

TEST(ModuleLineReader, DropsTheStartLinesThenCutsWhileMoreThanTwelveAreQueued) {
    const std::string values = " 17.0001\r\n 17.0002\r\n 17.0003\r\n 17.0004\r\n";
    struct Case {
        const char* what;
        std::vector<std::string> chunks;
        Ticks expected;
    };
    const Case cases[] = {
        {"under 40 bytes nothing is looked at", {"SC\r\n 17.0001\r\n"}, {{}}},
        {"the echo and the first value go, the third line is the first record",
         {"SC\r\n" + values},
         {{" 17.0002", " 17.0003"}}},
        {"what is left at 12 characters waits for the next tick",
         {"SC\r\n" + values, " 17.0005\r\n"},
         {{" 17.0002", " 17.0003"}, {" 17.0004"}}},
        {"a line the queue runs dry in is finished on the next tick",
         {"SC\r\n" + values + " 17.00051234", "5\r\n 17.0006\r\n 17.0007\r\n"},
         {{" 17.0002", " 17.0003", " 17.0004"}, {" 17.000512345", " 17.0006"}}},
        {"an empty third line is looked at again once 40 more came",
         {std::string(38, 'x') + "\r\r\r", values + values},
         {{}, {" 17.0003", " 17.0004", " 17.0001", " 17.0002", " 17.0003"}}},
        {"noise without line ends gives no record", {std::string(5000, '\x7f')}, {{}}},
        {"an overlong line keeps its first characters",
         {"a\rb\r" + std::string(3000, '7') + "\r" + std::string(20, '\n')},
         {{std::string(ModuleLineReader::kLineBufferSize, '7')}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readTicks(c.chunks), c.expected) << c.what;
}

std::tm localTime() {
    std::tm t{};
    t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7, t.tm_mday = 6, t.tm_mon = 11, t.tm_year = 126;
    return t;
}

TEST(ModuleRecord, ValueThenPositionOrItsStateThenTime) {
    NavFix fixed;
    fixed.latitude = 4430.12345, fixed.longitude = 6315.5, fixed.latHemisphere = 'N',
    fixed.lonHemisphere = 'W';
    fixed.hour = 23, fixed.minute = 59, fixed.second = 1, fixed.day = 2, fixed.month = 3,
    fixed.year = 2026;
    NavFix unreadable = fixed;
    unreadable.latHemisphere = NavFix::kParseError;
    struct Case {
        const char* line;
        NavFix fix;
        ModuleStamp stamp;
        const char* expected;
    };
    const Case cases[] = {
        {"12.3456,99,100", {}, {}, "+12.3456"},
        {" -0.5\x01", {}, {}, "-0.5000"},
        {"garbage", {}, {}, "+0.0000"},
        {"", {}, {}, "+0.0000"},
        {"1", {}, {true, false, true}, "+1.0000, No NAV Data"},
        {"1", unreadable, {true, false, true}, "+1.0000, NAV Parsing Error"},
        {"1", fixed, {true, false, true}, "+1.0000, 4430.123, N, 6315.500, W"},
        {"1", fixed, {true, true, false}, "+1.0000, 4430.123, N, 6315.500, W, 23:59:01 3-2-2026"},
        {"1", fixed, {false, true, true}, "+1.0000, 09:05:07 12-6-2026"},
    };
    for (const Case& c : cases) {
        NavFix fix = c.fix;
        EXPECT_EQ(moduleRecord(moduleValue(c.line), fix, c.stamp, localTime()), c.expected)
            << c.line;
    }
}

// A graph with n samples, sample k holding the value k.
void fill(ModGraphData& graph, int n) {
    for (int k = 1; k <= n; ++k) {
        graph.addValue(static_cast<float>(k));
        graph.addPosition(0, 'X', 0, 'X');
    }
}

TEST(ModGraphData, ScrollingNeverReachesPastTheOldestSampleWritten) {
    ModGraphData graph;
    fill(graph, 600);
    graph.scroll(StripView::Scroll::PageLeft);
    EXPECT_EQ(graph.view().offset(), 88) << "512 in view, 600 written";
    std::vector<ModSample> samples = graph.visibleSamples();
    ASSERT_EQ(samples.size(), 512u);
    EXPECT_EQ(samples.front().value, 512.0f);
    EXPECT_EQ(samples.back().value, 1.0f);

    fill(graph, 100);
    graph.scroll(StripView::Scroll::PageLeft);
    EXPECT_EQ(graph.view().offset(), 188);
    graph.scroll(StripView::Scroll::ToPosition, 0); // the thumb at the far left
    EXPECT_EQ(graph.view().offset(), 700 - 512);
    graph.scroll(StripView::Scroll::ToPosition, graph.view().scrollMaximum());
    EXPECT_EQ(graph.view().offset(), 0);
    EXPECT_EQ(graph.visibleSamples().front().value, 100.0f) << "live again";

    graph.setViewWidth(StripView::kWide);
    graph.scroll(StripView::Scroll::PageLeft);
    EXPECT_EQ(graph.view().offset(), 0) << "a view not yet full does not scroll";
    graph.reset();
    EXPECT_TRUE(graph.visibleSamples().empty());
    EXPECT_FALSE(graph.autozoomRange());
}

TEST(ModGraphData, ZoomsToTheSamplesInViewAndReadsThemTwice) {
    ModGraphData graph;
    fill(graph, 612);
    graph.scroll(StripView::Scroll::PageLeft);
    const auto range = graph.autozoomRange();
    ASSERT_TRUE(range);
    EXPECT_EQ(*range, (AxisRange{0.5, 512.5})) << "the newest 100 are out of view";
    EXPECT_EQ(graph.visibleSamples().front().value, 512.0f) << "a second reading";
    graph.setTitle(std::string(80, 't'));
    EXPECT_EQ(graph.title().size(), ModGraphData::kMaxTitleChars);
}

} // namespace
} // namespace halcyx
