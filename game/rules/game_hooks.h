// Calls from the rules into parts of the game that live elsewhere (the mouse,
// the level files, the game-over dialog, the completion screen). Each is
// optional: without one installed the rules carry on, which is what the
// headless simulator and the tests rely on.
#pragma once
#include "game/rules/game_state.h"

#include <cstdint>

struct GameHooks {
    // Returns once the mouse button is up, so one click makes one move.
    void (*waitMouseRelease)() = nullptr;
    // Reads a Puzzle level into `out`; false leaves the level unavailable.
    bool (*readLevel)(int level, Board& out) = nullptr;
    // The highscore query, name entry and submission after a finished game.
    void (*showGameOver)(int16_t gameMode, int16_t difficulty, int32_t result) = nullptr;
    // Shown when the last Puzzle level has been cleared.
    void (*showCompletionScreen)() = nullptr;
};

extern GameHooks gameHooks;
