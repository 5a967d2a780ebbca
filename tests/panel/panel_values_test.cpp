#include "game/game_state.h"
#include "game/panels/panel_values.h"

#include <gtest/gtest.h>

#include <string>

TEST(VolumeTicks, OnePerStartedStepOfTenth) {
    EXPECT_EQ(VolumeTickCount(0), 0);
    EXPECT_EQ(VolumeTickCount(1), 1);
    EXPECT_EQ(VolumeTickCount(10), 2); // 10 / 9.9 is just over one
    EXPECT_EQ(VolumeTickCount(50), 6);
    EXPECT_EQ(VolumeTickCount(99), 10);
}

TEST(ClockText, MinutesAndSecondsWithLeadingZeros) {
    EXPECT_EQ(ClockText(125), "02 : 05");
    EXPECT_EQ(ClockText(59), "00 : 59");
    EXPECT_EQ(ClockText(600), "10 : 00");
    EXPECT_EQ(ClockText(0), "00 : 00");
    EXPECT_EQ(ClockText(-1), "00 : 00"); // the last tick overshot
}

TEST(CounterLine, BallsOrMovesByMode) {
    CounterLine balls = CounterLineFor(TimeAttack, false, 87, 3);
    EXPECT_STREQ(balls.label, "BALLS LEFT    ");
    EXPECT_TRUE(balls.showsCount);
    EXPECT_EQ(balls.count, 87);
    EXPECT_EQ(balls.labelLeft, 115);
    EXPECT_STREQ(CounterLineFor(TopScore, false, 87, 3).label, "BALLS LEFT    ");

    CounterLine moves = CounterLineFor(Puzzle, false, 87, 3);
    EXPECT_STREQ(moves.label, "MOVES LEFT    ");
    EXPECT_EQ(moves.count, 3);
}

TEST(CounterLine, GameOverReplacesTheCount) {
    for (int16_t mode : {TimeAttack, TopScore, Puzzle}) {
        CounterLine line = CounterLineFor(mode, true, 87, 3);
        EXPECT_STREQ(line.label, "GAME OVER");
        EXPECT_EQ(line.labelLeft, 155);
        EXPECT_FALSE(line.showsCount);
    }
}
