// The volume model: master x own volume picks a step of the attenuation
// table, in hundredths of a decibel.
#include "framework/audio/audio_volume.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(AudioVolume, MasterTimesOwnVolumePicksAStep) {
    for (auto [master, own, hundredths] : {std::tuple{100, 200, -200},
                                           {50, 200, -200}, // effects: capped at the top step
                                           {30, 200, -1479},
                                           {1, 200, -5623}, // the lowest option still sounds
                                           {0, 200, -10000},
                                           {100, 80, -1060}, // music at its own 80
                                           {99, 80, -1062},  // 7920 / 100 truncates to 79
                                           {50, 80, -2344},
                                           {-5, 80, -10000},
                                           {100, -1, -10000},
                                           {1000000, 1000000, -200}})
        EXPECT_EQ(PlatformVolume(master, own), hundredths) << master << " x " << own;
}
