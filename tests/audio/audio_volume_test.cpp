// The volume model: master x own volume picks a step of the attenuation
// table, in hundredths of a decibel.
#include "framework/audio/audio_volume.h"

#include <gtest/gtest.h>

TEST(AudioVolume, EffectsAtDoubleVolume) {
    EXPECT_EQ(PlatformVolume(100, 200), -200); // capped at the top step
    EXPECT_EQ(PlatformVolume(50, 200), -200);
    EXPECT_EQ(PlatformVolume(30, 200), -1479);
    EXPECT_EQ(PlatformVolume(1, 200), -5623); // the lowest option still sounds
    EXPECT_EQ(PlatformVolume(0, 200), -10000);
}

TEST(AudioVolume, MusicAtTheDefaultOwnVolume) {
    EXPECT_EQ(PlatformVolume(100, 80), -1060);
    EXPECT_EQ(PlatformVolume(99, 80), -1062); // 7920 / 100 truncates to 79
    EXPECT_EQ(PlatformVolume(50, 80), -2344);
}

TEST(AudioVolume, OutOfRangeLevels) {
    EXPECT_EQ(PlatformVolume(-5, 80), -10000);
    EXPECT_EQ(PlatformVolume(100, -1), -10000); // a negative level is silence
    EXPECT_EQ(PlatformVolume(1000000, 1000000), -200);
}
