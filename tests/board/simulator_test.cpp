// Whole moves through the simulator: a move, its line, the falls that
// follow, and the counters at the end.
#include "support/game_fixture.h"

#include "game/board_rules.h"

namespace {

using Simulator = GameTest;

TEST_F(Simulator, ASlideMakesALineThatVanishesAndTheBallsAboveFall) {
    static int gameOvers = 0;
    static int32_t lastResult = 0;
    gameOvers = 0;
    gameHooks.showGameOver = [](int16_t, int16_t, int32_t result) {
        ++gameOvers;
        lastResult = result;
    };
    settings.gameMode = TopScore;
    settings.onlineScores = 1;
    counters.ballsLeft = 40;
    ScriptRandom({}); // every drop-in draw is 0: nothing drops
    board.cells = BoardWith({{6, "3........"}, {7, "23......4"}, {8, "11......1"}});
    BoardMove move;
    ASSERT_TRUE(BoardMove::Parse("R8", move));
    ASSERT_TRUE(sim.Play(move));
    EXPECT_EQ(board.cells, BoardWith({{7, "3........"}, {8, "23......4"}}));
    EXPECT_EQ(counters.score, 6); // the slide at 0 points cost nothing
    EXPECT_EQ(counters.ballsLeft, 40);
    // Left with no colour of three: the game ends and the result goes on.
    EXPECT_TRUE(counters.gameOver);
    EXPECT_EQ(gameOvers, 1);
    EXPECT_EQ(lastResult, 60);
}

TEST_F(Simulator, AfterATurnGravityPullsTheBallsDown) {
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 11; // no level file is read when the board empties
    counters.movesLeft = 1;
    board.cells = BoardWith({{6, "1........"}, {7, "2........"}, {8, "3........"}});
    ASSERT_TRUE(sim.Play(BoardMove::Clockwise()));
    // The column became the top row, then each ball fell to the bottom.
    EXPECT_EQ(RowsOf(board.cells)[8], "321......");
    EXPECT_EQ(counters.movesLeft, 0);
    EXPECT_TRUE(counters.gameOver) << "no moves left and the board not cleared";
}

TEST_F(Simulator, MoveNamesReadBack) {
    for (int code = 0; code < BoardMove::kCount; ++code) {
        BoardMove parsed;
        ASSERT_TRUE(BoardMove::Parse(BoardMove{code}.Name(), parsed));
        EXPECT_EQ(parsed.code, code);
    }
    BoardMove ignored;
    for (const char* bad : {"L9", "", "cw"})
        EXPECT_FALSE(BoardMove::Parse(bad, ignored)) << bad;
}

} // namespace
