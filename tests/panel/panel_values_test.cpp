#include "game/rules/game_state.h"
#include "game/panels/panel_values.h"

#include <gtest/gtest.h>

#include <string>

TEST(VolumeTicks, OnePerStartedStepOfTenth) {
    // 10 / 9.9 is just over one step.
    for (auto [volume, ticks] : {std::pair{0, 0}, {1, 1}, {10, 2}, {99, 10}})
        EXPECT_EQ(VolumeTickCount(int16_t(volume)), ticks) << volume;
}

TEST(ClockText, MinutesAndSecondsWithLeadingZerosNeverBelowZero) {
    std::vector<std::string> texts;
    for (int seconds : {125, 59, 600, 0, -1})
        texts.push_back(ClockText(int16_t(seconds)));
    EXPECT_EQ(texts,
              std::vector<std::string>({"02 : 05", "00 : 59", "10 : 00", "00 : 00", "00 : 00"}));
}

TEST(CounterLine, BallsOrMovesByModeAndGameOverInsteadOfACount) {
    EXPECT_EQ(CounterLineFor(TopScore, false, 87, 3).count, 87);
    EXPECT_EQ(CounterLineFor(Puzzle, false, 87, 3).count, 3);
    EXPECT_STREQ(CounterLineFor(Puzzle, false, 87, 3).label, "MOVES LEFT    ");
    for (int16_t mode : {TimeAttack, TopScore, Puzzle}) {
        EXPECT_TRUE(CounterLineFor(mode, false, 87, 3).showsCount);
        EXPECT_FALSE(CounterLineFor(mode, true, 87, 3).showsCount);
        EXPECT_STREQ(CounterLineFor(mode, true, 87, 3).label, "GAME OVER");
    }
}
