// Reads "mode score seconds moves seed" and nine rows of the board ('.' for
// an empty cell, 1..8 for a ball) from standard input and prints the bot's
// move and the score it expects after it.
#include "tests/e2e/bot_policy.h"

#include <cstdio>
#include <iostream>
#include <string>

int main() {
    BotView view;
    unsigned seed = 0;
    std::cin >> view.mode >> view.score >> view.timeLeft >> view.movesLeft >> seed;
    for (int r = 0; r < kBoardSize; ++r) {
        std::string row;
        std::cin >> row;
        for (int c = 0; c < kBoardSize; ++c)
            view.cells[c][r] = row.size() > size_t(c) && row[c] >= '1' && row[c] <= '8'
                                   ? static_cast<int16_t>(row[c] - '0')
                                   : kEmpty;
    }
    if (!std::cin) {
        std::fprintf(stderr, "bot_move: expected five numbers and nine rows\n");
        return 2;
    }
    const BotChoice choice = ChooseBotMove(view, seed);
    std::printf("%s %d\n", choice.move.c_str(), choice.scoreAfter);
    return 0;
}
