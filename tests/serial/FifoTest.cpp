// The byte queue's capacity, its full/empty return values and line taking.
#include "serial/Fifo.h"

#include <gtest/gtest.h>

#include <string>

using halcyx::Fifo;

namespace {

void putText(Fifo& fifo, const std::string& text) {
    for (char c : text)
        fifo.Put(static_cast<std::uint8_t>(c));
}

} // namespace

TEST(Fifo, HoldsExactlyItsCapacityAndRefusesMore) {
    Fifo fifo;
    for (std::size_t i = 0; i + 1 < Fifo::kCapacity; ++i)
        ASSERT_TRUE(fifo.Put(static_cast<std::uint8_t>(i)));
    EXPECT_FALSE(fifo.Put(0xAA)) << "the 4096th byte fills the queue and reports false";
    EXPECT_TRUE(fifo.IsFull());
    EXPECT_EQ(fifo.Count(), 4096);
    EXPECT_FALSE(fifo.Put(0xBB)) << "the 4097th byte is refused";
    EXPECT_EQ(fifo.Count(), 4096);

    std::uint8_t byte = 0;
    for (std::size_t i = 0; i + 1 < Fifo::kCapacity; ++i) {
        ASSERT_TRUE(fifo.Get(byte));
        ASSERT_EQ(byte, static_cast<std::uint8_t>(i));
    }
    EXPECT_FALSE(fifo.Get(byte)) << "the last byte empties the queue and reports false";
    EXPECT_EQ(byte, 0xAA) << "but it is delivered";
    EXPECT_TRUE(fifo.IsEmpty());
    EXPECT_FALSE(fifo.Get(byte));
}

TEST(Fifo, WrapsAroundAfterTheLastSlot) {
    Fifo fifo;
    std::uint8_t byte = 0;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 3000; ++i)
            fifo.Put(static_cast<std::uint8_t>(i % 251));
        for (int i = 0; i < 3000; ++i) {
            fifo.Get(byte);
            ASSERT_EQ(byte, i % 251) << "round " << round << " byte " << i;
        }
        EXPECT_EQ(fifo.Count(), 0);
    }
}

TEST(Fifo, GetLineReturnsACompleteLineWithItsCarriageReturn) {
    Fifo fifo;
    putText(fifo, "12.5,3.1\rnext");
    std::uint8_t line[64];
    int n = 0;
    ASSERT_TRUE(fifo.GetLine(line, sizeof line, n));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(line), n), "12.5,3.1\r");
    EXPECT_EQ(fifo.Count(), 4);
}

TEST(Fifo, GetLineReportsALineEndingOnTheLastQueuedByteIncomplete) {
    Fifo fifo;
    putText(fifo, "abc\r");
    std::uint8_t line[64];
    int n = 0;
    EXPECT_FALSE(fifo.GetLine(line, sizeof line, n));
    EXPECT_TRUE(fifo.IsEmpty()) << "its bytes are consumed all the same";
}

TEST(Fifo, GetLineStopsAtMaxWithoutACarriageReturn) {
    Fifo fifo;
    putText(fifo, "abcdefgh\r!");
    std::uint8_t line[4];
    int n = 0;
    EXPECT_FALSE(fifo.GetLine(line, sizeof line, n));
    EXPECT_EQ(n, 4);
    EXPECT_EQ(fifo.Count(), 6);
    n = 0;
    EXPECT_FALSE(fifo.GetLine(line, 0, n));
    EXPECT_EQ(n, 0);
}
