// Chooses the bot's next move with the game's own rules: reads the mode,
// score, seconds and moves left and the board (nine rows of '.' or 1..8)
// from standard input, tries every sequence of up to three moves on the
// headless simulator, and prints the first move of the sequence that clears
// the most balls soonest ("none" when the board allows no move).
#include "game/board_rules.h"
#include "game/board_simulator.h"
#include "game/game_state.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

struct Position {
    GameSettings settings;
    GameCounters counters;
    Board cells;
};

Position Save() { return {settings, counters, board.cells}; }

void Restore(const Position& p) {
    settings = p.settings;
    counters = p.counters;
    board = BoardState{};
    board.cells = p.cells;
}

int Balls() {
    int n = 0;
    for (int count : CountBalls()) n += count;
    return n;
}

// Balls cleared by the best continuation of at most `depth` moves, with
// later clears worth a little less so the bot takes the quick ones.
int BestClear(BoardSimulator& sim, int depth, BoardMove* first) {
    const Position start = Save();
    const int before = Balls();
    int best = 0;
    for (int code = 0; code < BoardMove::kCount; ++code) {
        Restore(start);
        if (!sim.Play(BoardMove{code})) continue;
        int gain = 10 * (before - Balls());
        if (depth > 1 && !counters.gameOver) gain += BestClear(sim, depth - 1, nullptr) * 9 / 10;
        if (gain > best) {
            best = gain;
            if (first) *first = BoardMove{code};
        }
    }
    Restore(start);
    return best;
}

} // namespace

int main() {
    int mode = 0, score = 0, timeLeft = 0, movesLeft = 0;
    std::cin >> mode >> score >> timeLeft >> movesLeft;
    ResetGameState();
    settings.gameMode = static_cast<int16_t>(mode);
    settings.difficulty = 1;
    counters.score = static_cast<int16_t>(score);
    counters.timeLeft = static_cast<int16_t>(timeLeft);
    counters.movesLeft = static_cast<int16_t>(movesLeft);
    counters.puzzleLevel = 11; // nothing to load when the board empties
    counters.ballsLeft = 0;    // new balls are the game's luck, not the plan
    for (int r = 0; r < kBoardSize; ++r) {
        std::string row;
        std::cin >> row;
        for (int c = 0; c < kBoardSize; ++c)
            board.cells[c][r] = row.size() > size_t(c) && row[c] >= '1' && row[c] <= '8'
                                    ? static_cast<int16_t>(row[c] - '0')
                                    : kEmpty;
    }
    BoardSimulator sim;
    BoardMove move{-1};
    for (int depth = 1; depth <= 3 && move.code < 0; ++depth) BestClear(sim, depth, &move);
    if (move.code < 0) {
        // Nothing clears within three moves: stir the board with a slide of
        // a row that changes it.
        const Position start = Save();
        for (int code = 0; code < 18 && move.code < 0; ++code) {
            int row = (code * 5 + score) % 9; // spread the stirring over the rows
            BoardMove slide = code % 2 ? BoardMove::SlideRightRow(row) : BoardMove::SlideLeftRow(row);
            if (sim.Start(slide) && board.cells != start.cells) move = slide;
            Restore(start);
        }
    }
    std::printf("%s\n", move.code < 0 ? "none" : move.Name().c_str());
    return 0;
}
