// The bot's policy plays whole TopScore games on the headless simulator,
// with new balls dropping in as in the game and the score it is told being
// its own floor estimate, as in the end-to-end test that reads the screen.
#include "game/board_simulator.h"
#include "game/modes.h"
#include "game/random.h"
#include "tests/e2e/bot_policy.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct GameResult {
    bool over = false;
    int moves = 0;
    bool refused = false; // the bot chose a move the game refused
};

GameResult PlayTopScoreGame(unsigned seed, int moveLimit) {
    std::srand(seed);
    ResetGameState();
    settings.gameMode = TopScore;
    settings.difficulty = 1;
    SetupGame();
    {
        BoardSimulator sim;
        sim.Settle();
    }

    GameResult result;
    int scoreFloor = 0;
    while (!counters.gameOver && result.moves < moveLimit) {
        BotView view;
        view.mode = TopScore;
        view.score = scoreFloor;
        view.cells = board.cells;
        // The policy plays on the same globals, so the game is put back after.
        const GameSettings keptSettings = settings;
        const GameCounters keptCounters = counters;
        const BoardState keptBoard = board;
        const BotChoice choice = ChooseBotMove(view, static_cast<unsigned>(result.moves));
        settings = keptSettings;
        counters = keptCounters;
        board = keptBoard;

        BoardMove move;
        if (!BoardMove::Parse(choice.move, move)) return result;
        BoardSimulator sim;
        if (!sim.Play(move)) result.refused = true;
        EXPECT_LE(choice.scoreAfter, counters.score) << "the floor overstated the score";
        scoreFloor = choice.scoreAfter;
        ++result.moves;
    }
    result.over = counters.gameOver;
    return result;
}

TEST(BotPolicy, EndsTopScoreGamesOnEasyWellWithinTheEndToEndMoveLimit) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const GameResult game = PlayTopScoreGame(seed, 100);
        EXPECT_TRUE(game.over) << "seed " << seed << ": not over after " << game.moves << " moves";
        EXPECT_FALSE(game.refused) << "seed " << seed;
    }
}

TEST(BotPolicy, AnswersNoneOnAnEmptyBoardAndTakesAOneSlideLine) {
    BotView view;
    for (auto& column : view.cells)
        column.fill(kEmpty);
    EXPECT_EQ(ChooseBotMove(view, 0).move, "none");

    // Column 0 holds two 1s; the only ball of row 6 is a 1 standing on
    // column 1's two 2s. Row 6 to the left makes a column of three.
    view.cells[0][8] = view.cells[0][7] = 1;
    view.cells[1][8] = view.cells[1][7] = 2;
    view.cells[1][6] = 1;
    const BotChoice choice = ChooseBotMove(view, 0);
    EXPECT_EQ(choice.move, "L6");
    EXPECT_GT(choice.scoreAfter, 0);
}

} // namespace
