// A whole game played headless by a simple bot through the very steps a
// recording replays (game/replay/replay_steps.h), and its recording: what
// the score server's tests and benchmarks upload. The bot slides a row
// whenever that makes a line and stirs the board otherwise; it thinks
// `thinkFrames` frames at rest before each move, so a game can be made to
// last.
#pragma once
#include "game/replay/replay_format.h"

struct BotGameStyle {
    uint32_t frameGap = 16;    // ms from one frame to the next
    uint32_t thinkFrames = 10; // frames at rest before each move
    uint32_t maxFrames = 400000;
};

// Plays from `start` (mode, difficulty, speed, seed, token) to the game's
// end or `maxFrames`; the header's outcome and claim are the game's own.
replay::Replay RecordBotGame(const replay::ReplayHeader& start, const BotGameStyle& style = {});
