// The three pieces of music, each a seamless loop of 44.1 kHz stereo,
// returned as interleaved samples in -1 .. 1.
#pragma once
#include <vector>

std::vector<float> ComposeMainMusic();   // menu: relaxed, about 46 s
std::vector<float> ComposeSelectMusic(); // mode selection: lighter, about 24 s
std::vector<float> ComposeThemeMusic();  // in-game: calm and steady, about 60 s
