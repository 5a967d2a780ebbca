// The side panel's values worked out apart from drawing them: volume ticks,
// the TimeAttack clock's text and what the counter box says.
#pragma once
#include <cstdint>
#include <string>

// Ticks shown for a volume: one for every started 9.9, so 1 shows one tick,
// 10 two and 99 ten; 0 shows none.
int VolumeTickCount(int16_t volume);

// The TimeAttack clock as minutes and seconds, "MM : SS"; "00 : 00" below zero.
std::string ClockText(int16_t seconds);

// The counter box's line: a label centred between labelLeft and 640, and
// the count centred under the box's number field unless the game is over.
struct CounterLine {
    const char* label;
    int16_t labelLeft;
    bool showsCount;
    int16_t count;
};
CounterLine CounterLineFor(int16_t gameMode, bool gameOver, int16_t ballsLeft, int16_t movesLeft);
