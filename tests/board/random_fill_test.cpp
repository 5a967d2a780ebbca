// The random fill: every code valid, lines only where row 0 or column 0 lets
// them start.
#include "support/game_fixture.h"

#include "game/board_rules.h"
#include "game/modes.h"

#include <cstdlib>

namespace {

using RandomFill = GameTest;

TEST_F(RandomFill, NoLineStartsAwayFromTheTopRowAndLeftColumn) {
    int blacks = 0, balls = 0;
    settings.gameMode = TopScore;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::srand(seed);
        NewBoard();
        for (int c = 0; c < kBoardSize; ++c) {
            for (int r = 0; r < kBoardSize; ++r) {
                int16_t code = board.cells[c][r];
                ASSERT_TRUE(code >= 1 && code <= 8) << BoardText(board.cells);
                blacks += (code == kBlackBall);
                ++balls;
                if (c > 0 && r > 0) {
                    ASSERT_NE(code, board.cells[c - 1][r]) << BoardText(board.cells);
                    ASSERT_NE(code, board.cells[c][r - 1]) << BoardText(board.cells);
                }
            }
        }
        // Whatever the search finds lies in row 0 or column 0.
        ScanBoard();
        for (int c = 1; c < kBoardSize; ++c)
            for (int r = 1; r < kBoardSize; ++r)
                ASSERT_NE(board.cells[c][r], kVanishing) << "seed " << seed;
    }
    // About 3 in 50 draws are black; the redraws keep it near that.
    EXPECT_GT(double(blacks) / balls, 0.03);
    EXPECT_LT(double(blacks) / balls, 0.10);
}

TEST_F(RandomFill, RedrawsBothDrawsForARefusedCell) {
    // Draws come in pairs, colour then black. Column 0 takes what it draws:
    // all colour 1. For (1, 1) the draws repeat until the code differs from
    // both neighbours, taking a new black draw each time.
    std::vector<int> draws;
    for (int r = 0; r < 9; ++r) draws.insert(draws.end(), {0, 10});
    draws.insert(draws.end(), {1, 10,  // (1, 0): colour 2
                               0, 10,  // (1, 1): 1 equals its left neighbour: refused
                               1, 10,  // colour 2 equals the cell above: refused
                               2, 10}); // colour 3: accepted
    ScriptRandom(draws, true);
    NewBoard();
    EXPECT_EQ(board.cells[1][0], 2);
    EXPECT_EQ(board.cells[1][1], 3);
}

} // namespace
