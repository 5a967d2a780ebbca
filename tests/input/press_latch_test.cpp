// The memory of presses between polls: one tap counts once, a press the
// game did not ask about in time is forgotten.
#include "framework/input/press_latch.h"

#include <gtest/gtest.h>

namespace {

TEST(PressLatch, APressIsTakenOnceByItsOwnInput) {
    PressLatch latch(4);
    EXPECT_FALSE(latch.Take(2, 1000));
    latch.Press(2, 1000);
    EXPECT_FALSE(latch.Take(1, 1001));
    EXPECT_TRUE(latch.Take(2, 1001));
    EXPECT_FALSE(latch.Take(2, 1002));
    // Two presses before a poll are still one.
    latch.Press(3, 2000);
    latch.Press(3, 2005);
    EXPECT_TRUE(latch.Take(3, 2010));
    EXPECT_FALSE(latch.Take(3, 2011));
    latch.Press(0, 3000);
    latch.Press(1, 3000);
    latch.Clear(); // forgets every press
    EXPECT_FALSE(latch.Take(0, 3001) || latch.Take(1, 3001));
}

TEST(PressLatch, StalePressesAreForgotten) {
    PressLatch latch(2);
    const uint32_t limit = PressLatch::kFreshMilliseconds;
    latch.Press(0, 5000);
    EXPECT_TRUE(latch.Take(0, 5000 + limit));
    latch.Press(0, 5000);
    EXPECT_FALSE(latch.Take(0, 5000 + limit + 1));
    EXPECT_FALSE(latch.Take(0, 5000)); // used up even when stale
    // Across the wrap of the 32-bit millisecond clock.
    latch.Press(1, 0xFFFFFFF0u);
    EXPECT_TRUE(latch.Take(1, 0x10u));
    latch.Press(1, 0xFFFFFFF0u);
    EXPECT_FALSE(latch.Take(1, limit + 0x20u));
}

} // namespace
