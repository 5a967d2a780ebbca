// The bot's move for the end-to-end test, chosen with the game's own rules
// on the headless simulator from what a player sees in TopScore. Reads
// "score seed" and nine rows of the board ('.' empty, 1..8 a ball)
// from standard input; prints the move ("L3", "R0", "CW", "CCW", or "none"
// when all are refused) and the score it expects after it, a floor (balls
// that may drop in are left out, so the bot never counts on points it may
// not have for a turn). `seed` varies the stirring between calls.
#include "game/rules/board_rules.h"
#include "game/rules/board_simulator.h"
#include "game/rules/game_state.h"

#include <cstdio>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace {

struct BotChoice {
    std::string move;
    int scoreAfter = 0; // once the move and its cascades are over
};

struct Position {
    GameSettings settings;
    GameCounters counters;
    Board cells;
};

Position Save() {
    return {settings, counters, board.cells};
}

void Restore(const Position& p) {
    settings = p.settings;
    counters = p.counters;
    board = BoardState{};
    board.cells = p.cells;
}

int Balls() {
    int n = 0;
    for (int count : CountBalls())
        n += count;
    return n;
}

// Balls cleared by the best continuation of at most `depth` moves, with
// later clears worth a little less so the bot takes the quick ones.
int BestClear(BoardSimulator& sim, int depth, int* first) {
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
            if (first) *first = code;
        }
    }
    Restore(start);
    return best;
}

// How near the board is to lines: for every ball, the balls of its colour
// in the rows just above and below (a slide can bring them into its column).
int Nearness() {
    int near = 0;
    for (int c = 0; c < kBoardSize; ++c)
        for (int r = 0; r < kBoardSize; ++r) {
            const int16_t code = board.cells[c][r];
            if (code < 1) continue;
            for (int other = 0; other < kBoardSize; ++other) {
                if (r > 0 && board.cells[other][r - 1] == code) ++near;
                if (r < kBoardSize - 1 && board.cells[other][r + 1] == code) ++near;
            }
        }
    return near;
}

// Plays the chosen move from the starting position for its score.
BotChoice Chosen(BoardSimulator& sim, const Position& start, int code) {
    Restore(start);
    sim.Play(BoardMove{code});
    return {BoardMove{code}.Name(), counters.score};
}

// `score` in units of ten displayed points.
BotChoice ChooseBotMove(const Board& cells, int score, unsigned seed) {
    ResetGameState();
    settings.gameMode = TopScore;
    counters.score = static_cast<int16_t>(score);
    counters.puzzleLevel = 11; // nothing to load when the board empties
    counters.ballsLeft = 0;    // new balls are the game's luck, not the plan
    board.cells = cells;

    BoardSimulator sim;
    const Position start = Save();
    int move = -1;
    for (int depth = 1; depth <= 3 && move < 0; ++depth)
        BestClear(sim, depth, &move);
    if (move >= 0) return Chosen(sim, start, move);

    // Nothing clears within three moves: take the move that brings balls of
    // one colour nearest together, chosen at random among equals.
    std::mt19937 random(seed);
    int best = -1;
    std::vector<int> ties;
    for (int code = 0; code < BoardMove::kCount; ++code) {
        Restore(start);
        if (!sim.Play(BoardMove{code}) || board.cells == start.cells) continue;
        const int near = Nearness();
        if (near > best) best = near, ties.clear();
        if (near == best) ties.push_back(code);
    }
    if (ties.empty()) return {"none", score};
    return Chosen(sim, start, ties[random() % ties.size()]);
}

} // namespace

int main() {
    Board cells{};
    int score = 0;
    unsigned seed = 0;
    std::cin >> score >> seed;
    for (int r = 0; r < kBoardSize; ++r) {
        std::string row;
        std::cin >> row;
        for (int c = 0; c < kBoardSize; ++c)
            cells[c][r] = row.size() > size_t(c) && row[c] >= '1' && row[c] <= '8'
                              ? static_cast<int16_t>(row[c] - '0')
                              : kEmpty;
    }
    if (!std::cin) {
        std::fprintf(stderr, "bot_move: expected two numbers and nine rows\n");
        return 2;
    }
    const BotChoice choice = ChooseBotMove(cells, score, seed);
    std::printf("%s %d\n", choice.move.c_str(), choice.scoreAfter);
    return 0;
}
