// The history ring: newest-first reading, wrapping and the saturating count.
#include "serial/RingBuf.h"

#include <gtest/gtest.h>

using halcyx::RingBuf;

TEST(RingBuf, PrevReturnsNewestFirst) {
    RingBuf<float> ring(8);
    for (int i = 1; i <= 3; ++i)
        ring.Put(static_cast<float>(i));
    EXPECT_EQ(ring.Prev(), 3.0f);
    EXPECT_EQ(ring.Prev(), 2.0f);
    EXPECT_EQ(ring.Prev(), 1.0f);
    EXPECT_EQ(ring.Count(), 3);
}

TEST(RingBuf, CountSaturatesAndPrevWrapsAfterAFullTurn) {
    RingBuf<float> ring(RingBuf<float>::kGraphCapacity);
    for (std::uint32_t i = 0; i < RingBuf<float>::kGraphCapacity + 5; ++i)
        ring.Put(static_cast<float>(i));
    EXPECT_EQ(ring.Count(), 30000);
    const auto newest = static_cast<float>(RingBuf<float>::kGraphCapacity + 4);
    EXPECT_EQ(ring.Prev(), newest);
    EXPECT_EQ(ring.Prev(), newest - 1);
    ring.Reset();
    EXPECT_EQ(ring.Count(), 0);
}

TEST(RingBuf, PrevOnAFreshRingWrapsToTheLastSlot) {
    RingBuf<char> ring(4);
    ring.Put('a');
    EXPECT_EQ(ring.Prev(), 'a');
    EXPECT_EQ(ring.Prev(), '\0') << "before the first slot it continues at the last";
}
