#include "game/panels/panel_values.h"

#include "game/rules/game_state.h"

#include <cstdio>

int VolumeTickCount(int16_t volume) {
    int ticks = 0;
    while (ticks < volume / 9.9)
        ++ticks;
    return ticks;
}

std::string ClockText(int16_t seconds) {
    if (seconds < 0) seconds = 0; // the last tick may overshoot; the clock stops at zero
    const int minutes = seconds / 60;
    char text[32];
    std::snprintf(text, sizeof text, "%02d : %02d", minutes, seconds - 60 * minutes);
    return text;
}

CounterLine CounterLineFor(int16_t gameMode, bool gameOver, int16_t ballsLeft, int16_t movesLeft) {
    if (gameOver) return {"GAME OVER", 155, false, 0};
    // The four trailing blanks push the centred label left of the count.
    if (gameMode == Puzzle) return {"MOVES LEFT    ", 115, true, movesLeft};
    return {"BALLS LEFT    ", 115, true, ballsLeft};
}
