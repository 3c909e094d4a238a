// The byte queue's capacity, its full/empty return values and line taking.
#include "core/serial/Fifo.h"

#include <gtest/gtest.h>
#include <string>

using halcyx::Fifo;

TEST(Fifo, HoldsExactlyItsCapacityAcrossTheWrapAndReportsFillingAndEmptying) {
    Fifo fifo;
    std::uint8_t byte = 0;
    for (int i = 0; i < 1000; ++i) // start mid-buffer, so that the queue wraps
        EXPECT_TRUE(fifo.Put(1) && !fifo.Get(byte));
    for (std::size_t i = 0; i + 1 < Fifo::kCapacity; ++i)
        ASSERT_TRUE(fifo.Put(static_cast<std::uint8_t>(i % 251)));
    EXPECT_FALSE(fifo.Put(0xAA)) << "the 4096th byte fills the queue and reports false";
    EXPECT_TRUE(fifo.isFull());
    EXPECT_FALSE(fifo.Put(0xBB)) << "the 4097th byte is refused";
    EXPECT_EQ(fifo.count(), 4096);

    for (std::size_t i = 0; i + 1 < Fifo::kCapacity; ++i) {
        ASSERT_TRUE(fifo.Get(byte));
        ASSERT_EQ(byte, i % 251);
    }
    EXPECT_FALSE(fifo.Get(byte)) << "the last byte empties the queue and reports false";
    EXPECT_EQ(byte, 0xAA) << "but it is delivered";
    EXPECT_TRUE(fifo.isEmpty());
    EXPECT_FALSE(fifo.Get(byte));
}

TEST(Fifo, GetLineTakesUpToACarriageReturnOrMaxBytes) {
    const struct {
        std::string queued;
        int max;
        bool complete;
        std::string taken;
        int left;
    } cases[] = {
        {"12.5,3.1\rnext", 64, true, "12.5,3.1\r", 4},
        // A CR that is the last byte queued is consumed, not stored: the line is incomplete.
        {"abc\r", 64, false, "abc", 0},
        {"abcdefgh\r!", 4, false, "abcd", 6},
        {"abc", 0, false, "", 3},
    };
    for (const auto& c : cases) {
        Fifo fifo;
        for (char ch : c.queued)
            fifo.Put(static_cast<std::uint8_t>(ch));
        std::uint8_t line[64];
        int n = 0;
        EXPECT_EQ(fifo.GetLine(line, c.max, n), c.complete) << c.queued;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(line), n), c.taken);
        EXPECT_EQ(fifo.count(), c.left);
    }
}
