// The history ring: newest-first reading, wrapping and the saturating count.
#include "core/serial/RingBuf.h"

#include <gtest/gtest.h>

using halcyx::RingBuf;

TEST(RingBuf, PrevWalksBackNewestFirstAcrossTheWrapAndCountSaturates) {
    RingBuf<int> ring(4);
    for (int i = 1; i <= 30006; ++i)
        ring.Put(i);
    EXPECT_EQ(ring.count(), 30000);
    for (int expected : {30006, 30005, 30004, 30003, 30006})
        EXPECT_EQ(ring.Prev(), expected);
    ring.Reset();
    EXPECT_EQ(ring.count(), 0);

    RingBuf<int> fresh(4);
    fresh.Put(7);
    EXPECT_EQ(fresh.Prev(), 7);
    EXPECT_EQ(fresh.Prev(), 0) << "before the first slot it continues at the last, never set";
}
