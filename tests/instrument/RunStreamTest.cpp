// The run windows' reading of the continuous output: the Vexa line between two CR LFs given to
// the channels of the mask, and the Tavrin CT's record length found from two equal lines.
#include "core/instrument/RunStream.h"

#include <gtest/gtest.h>
#include <string>

namespace halcyx {
namespace {

std::span<const std::uint8_t> bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

constexpr ChannelMask kCtpMask = mask::kConductivity | mask::kTemperature | mask::kPressure;

TEST(VexaRunTexts, TakeTheFirstWholeLineOfARead) {
    struct Case {
        const char* what;
        std::string read;
        ChannelMask mask;
        std::optional<std::vector<std::pair<int, std::string>>> shown; // nullopt: nothing
    };
    const std::string wide(31, 'x');
    const std::string tooLong(kVexaRunLineLimit, '1');
    const Case cases[] = {
        {"the line between the first two line ends",
         "3.1, 2\r\n 1.5, 9.2, 10.0\r\n 1.6",
         kCtpMask,
         {{{kRunConductivity, " 1.5"}, {kRunTemperature, " 9.2"}, {kRunPressure, " 10.0"}}}},
        {"a line cut by the end of the read", "2\r\n 1.5, 9.2", kCtpMask, std::nullopt},
        {"no line end at all", " 1.5, 9.2, 10.0", kCtpMask, std::nullopt},
        {"fewer fields than channels leave the rest empty",
         "\r\n 1.5\r\n",
         kCtpMask,
         {{{kRunConductivity, " 1.5"}, {kRunTemperature, ""}, {kRunPressure, ""}}}},
        {"fields follow the mask's order, DC channels last",
         "\r\n1,2,3\r\n",
         mask::kTemperature | mask::kSalinity | dcChannelBit(8),
         {{{kRunTemperature, "1"}, {kRunSalinity, "2"}, {kRunDc1 + 7, "3"}}}},
        {"a field is cut at 30 characters",
         "\r\n" + wide + "\r\n",
         mask::kConductivity,
         {{{kRunConductivity, wide.substr(0, kRunFieldChars)}}}},
        {"a line of 200 characters is not shown", "\r\n" + tooLong + "\r\n", kCtpMask,
         std::nullopt},
    };
    for (const Case& c : cases) {
        const auto texts = vexaRunTexts(bytes(c.read), c.mask);
        ASSERT_EQ(texts.has_value(), c.shown.has_value()) << c.what;
        if (!texts)
            continue;
        VexaRunTexts expected;
        for (const auto& [field, text] : *c.shown)
            expected[static_cast<std::size_t>(field)] = text;
        EXPECT_EQ(*texts, expected) << c.what;
    }
}

TEST(CtRunStream, SynchronisesOnTwoEqualLinesAfterEnoughBytes) {
    const std::string line = "  2.3456, 10.1234\r\n"; // 17 characters
    CtRunStream stream;
    stream.put(bytes("4, 10.1\r\n" + line + line));
    EXPECT_FALSE(stream.synchronise()) << "fewer than 120 bytes queued";
    EXPECT_TRUE(stream.synchronising());

    // Unequal lines: the attempt fails and its bytes are gone.
    std::string stream2 = "x\r\n  2.3456, 10.12\r\n" + line;
    while (stream2.size() < CtRunStream::kSyncFill)
        stream2 += line;
    CtRunStream unequal;
    unequal.put(bytes(stream2));
    EXPECT_FALSE(unequal.synchronise());
    for (int i = 0; i < 6; ++i)
        unequal.put(bytes(line));
    EXPECT_TRUE(unequal.synchronise()) << "the next two lines agree";
    EXPECT_EQ(unequal.recordLength(), 17u);

    for (int i = 0; i < 6; ++i)
        stream.put(bytes(line));
    ASSERT_TRUE(stream.synchronise());
    EXPECT_EQ(stream.recordLength(), 17u);
    EXPECT_FALSE(stream.records(false).empty());
}

TEST(CtRunStream, ARecordCutByTheEndOfAReadIsCompletedByTheNext) {
    const std::string line = "  2.3456, 10.1234, 12:00:01 12-06-2026\r\n";
    CtRunStream stream;
    for (std::size_t queued = 0; queued < CtRunStream::kSyncFill; queued += line.size())
        stream.put(bytes(line));
    ASSERT_TRUE(stream.synchronise());
    (void)stream.records(true); // what was queued

    stream.put(bytes("  2.4000, 10.2"));
    EXPECT_TRUE(stream.records(true).empty());
    stream.put(bytes("000, 12:00:02 12-06-2026\r\n"));
    const auto records = stream.records(true);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].conductivity, "  2.4000");
    EXPECT_EQ(records[0].temperature, " 10.2000");
    EXPECT_EQ(records[0].time, " 12:00:02 12-06-2026");
    EXPECT_EQ(stream.records(false).size(), 0u);
}

} // namespace
} // namespace halcyx
