// The nine sound effects. Each starts and ends at silence through short
// fades, so none clicks when it starts, stops or is cut off by a restart.
#pragma once
#include <vector>

struct SoundClip {
    int rate;
    int channels;
    std::vector<float> samples; // interleaved, -1 .. 1
};

SoundClip MakeClick();   // crisp button click
SoundClip MakeOver();    // very soft blip as the pointer reaches a button
SoundClip MakeSpin();    // whoosh of about 1.3 s for a quarter turn
SoundClip MakeClear();   // bright chime when a line vanishes
SoundClip MakeSwirl();   // swirling sweep for a restart
SoundClip MakePop();     // bubbly pop as a ball drops in
SoundClip MakeSet();     // soft wooden tap as balls land
SoundClip MakeMove();    // quick slide swish
SoundClip MakeLevelup(); // short happy fanfare
