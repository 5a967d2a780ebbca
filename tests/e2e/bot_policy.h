// The bot's choice of move, made with the game's own rules on the headless
// simulator. It sees only what a player sees: the board, the mode and the
// counters.
#pragma once
#include "game/game_state.h"

#include <string>

struct BotView {
    int mode = TopScore;
    int score = 0; // units of ten displayed points
    int timeLeft = 600;
    int movesLeft = 0;
    Board cells{};
};

struct BotChoice {
    std::string move;   // "L3", "R0", "CW", "CCW", or "none" when all are refused
    int scoreAfter = 0; // the score once the move and its cascades are over
};

// `seed` varies the stirring between calls, so a board that offers no line
// soon is not stirred the same way forever. The score after the move leaves
// out balls that may drop in, so it is a floor on the real one: the bot
// never counts on points it may not have for a turn.
BotChoice ChooseBotMove(const BotView& view, unsigned seed);
