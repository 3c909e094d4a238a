// The byte queue's capacity, its full/empty return values and line taking.
#include "core/serial/Fifo.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <span>
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

// Bulk storing and taking must leave the queue as byte-wise Put and Get would, across the
// wrap and at full and empty.
TEST(Fifo, BulkPutFrontAndDropMatchByteWiseUse) {
    const struct {
        std::size_t prefill; // bytes put and taken first, to move the wrap point
        std::size_t queued;  // bytes queued before the bulk put
        std::size_t put;
        std::size_t drop;
    } cases[] = {
        {0, 0, 100, 40},     {4000, 0, 200, 150},   {4000, 50, 5000, 4096},
        {100, 4095, 10, 1},  {0, 4096, 1, 4096},    {2048, 2000, 2096, 4000},
        {3000, 1000, 96, 0}, {4095, 0, 4096, 4095}, {100, 4096, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.prefill << "/" << c.queued << "/" << c.put);
        Fifo bulk;
        Fifo single;
        std::uint8_t byte = 0;
        for (Fifo* fifo : {&bulk, &single}) {
            for (std::size_t i = 0; i < c.prefill; ++i) {
                fifo->Put(0);
                fifo->Get(byte);
            }
            for (std::size_t i = 0; i < c.queued; ++i)
                fifo->Put(static_cast<std::uint8_t>(i % 7));
        }
        std::string bytes;
        std::size_t stored = 0;
        for (std::size_t i = 0; i < c.put; ++i) {
            bytes.push_back(static_cast<char>(i % 253));
            stored += single.isFull() ? 0 : 1;
            single.Put(static_cast<std::uint8_t>(bytes.back()));
        }
        EXPECT_EQ(bulk.Put({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}),
                  stored);
        ASSERT_EQ(bulk.count(), single.count());
        EXPECT_EQ(bulk.isFull(), single.isFull());

        // Drop the first bytes a front piece at a time, then compare what is left.
        for (std::size_t left = c.drop; left > 0;) {
            const std::size_t n = std::min(bulk.front().size(), left);
            ASSERT_GT(n, 0u);
            bulk.drop(n);
            for (std::size_t i = 0; i < n; ++i)
                single.Get(byte);
            left -= n;
        }
        ASSERT_EQ(bulk.count(), single.count());
        EXPECT_EQ(bulk.isFull(), single.isFull());
        EXPECT_EQ(bulk.isEmpty(), single.isEmpty());
        while (!single.isEmpty()) {
            const std::span<const std::uint8_t> front = bulk.front();
            ASSERT_FALSE(front.empty());
            single.Get(byte);
            EXPECT_EQ(front[0], byte);
            bulk.drop(1);
        }
        EXPECT_TRUE(bulk.isEmpty());
        EXPECT_TRUE(bulk.front().empty());
    }
}
