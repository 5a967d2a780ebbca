// The volume model shared by samples and music: a sound's own volume is a
// percentage of its master volume, and the product picks an attenuation
// from a fixed table of 100 steps.
#pragma once
#include <cstdint>

// Attenuation in hundredths of a decibel for level index 0 .. 99.
extern const int32_t kAttenuationTable[100];

// The platform volume (0 full, -10000 silent) for a master and an own
// volume, both percentages: master x own / 100, capped at index 99.
int32_t PlatformVolume(int32_t masterVolume, int32_t ownVolume);
