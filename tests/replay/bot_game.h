// A whole game played headless by a greedy bot and recorded by the game's
// own recorder, in the play screen's frame order, with uneven frame times,
// inherited timers, speed changes and the odd long pause.
#pragma once
#include "game/replay/replay_format.h"

#include <cstdint>
#include <vector>

struct BotGame {
    std::vector<uint8_t> file;     // the recorder's file of the game
    std::vector<uint64_t> digests; // the game state after each frame
};

// Seeds the game and the bot's choices; stops after `maxFrames` frames.
// The recorder keeps its last game under $XDG_DATA_HOME: tests point it
// at a folder of their own.
BotGame PlayBotGame(uint64_t seed, uint32_t maxFrames);

// A hash of the board, its animation and the counters as they stand.
uint64_t GameDigest();
