// Falling, the gravity pass, the vanishing's end and the drop-in of new
// balls, with the sounds they make.
#include "support/game_fixture.h"

#include "game/board_rules.h"

namespace {

using Gravity = GameTest;

TEST_F(Gravity, EachBallFallsAtMostOneCellPerPassAndNoMarkSurvives) {
    board.cells = BoardWith({{0, "1........"}, {1, "2........"}, {2, "3........"}, {8, "....4...."}});
    const std::vector<std::vector<std::string>> passes = {
        {"1........", "2........", ".........", "3........", "........."},
        {"1........", ".........", "2........", ".........", "3........"}};
    for (const auto& rows : passes) {
        GravityPass();
        auto all = RowsOf(board.cells);
        EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 5), rows);
    }
    for (int pass = 0; pass < 12; ++pass) {
        GravityPass();
        for (const auto& column : board.cells)
            for (int16_t cell : column) ASSERT_NE(cell, kTaken);
    }
    EXPECT_EQ(RowsOf(board.cells)[6], "1........");
    EXPECT_EQ(RowsOf(board.cells)[8], "3...4....");
}

TEST_F(Gravity, SetPlaysOncePerPassWhileABallLiesBelowTheTopRow) {
    board.cells = BoardWith({{0, "123......"}});
    GravityPass();
    EXPECT_EQ(Played(Cue::Set), 1);
    board.cells = BoardWith({});
    GravityPass();
    EXPECT_EQ(Played(Cue::Set), 1);
}

TEST_F(Gravity, AFallStartsOnlyWithRoomBelowAndNoSlideAndWaitsForATurn) {
    board.cells = BoardWith({{7, "....1...."}, {8, "....2...."}});
    StartFallIfNeeded();
    EXPECT_EQ(board.fallOffset, 0);
    board.cells[4][8] = kEmpty;
    board.slideLeftRow = 3;
    StartFallIfNeeded();
    EXPECT_EQ(board.fallOffset, 0) << "no fall starts while a row slides";
    board.slideLeftRow = -1;
    StartFallIfNeeded();
    EXPECT_EQ(board.fallOffset, 1);

    board.fallTimer = sim.Now();
    board.spinState = SpinClockwise;
    sim.Advance(100);
    StepFall();
    EXPECT_EQ(board.fallOffset, 1) << "the fall waits while the board turns";
    board.spinState = NoSpin;
    StepFall();
    EXPECT_EQ(board.fallOffset, 3);
}

class DropIn : public GameTest {
public:
    // Ends a vanishing in the given mode on a board whose top two rows are
    // empty except in the columns listed.
    void EndVanishing(int16_t mode, std::string topRow, int16_t ballsLeft) {
        settings.gameMode = mode;
        counters.ballsLeft = ballsLeft;
        board.cells = BoardWith({{0, topRow}, {1, topRow}, {7, "x.......x"}, {8, "123456712"}});
        board.clearing = 1;
        board.animStep = 2;
        board.animTimer = sim.Now();
        sim.Advance(1000);
        StepVanish();
    }
};

TEST_F(DropIn, NewBallsFollowTheDraws) {
    // Per column: a draw over 30 drops a ball of code (next draw % 8) + 1.
    ScriptRandom({31, 2, 30, 45, 7, 0, 0, 0, 0, 0, 49, 0});
    EndVanishing(TopScore, ".........", 10);
    EXPECT_FALSE(board.clearing);
    auto rows = RowsOf(board.cells);
    EXPECT_EQ(rows[0], "3.K.....1");
    EXPECT_EQ(rows[7], ".........") << "vanished balls leave empty cells";
    EXPECT_EQ(counters.ballsLeft, 7);
    EXPECT_EQ(Played(Cue::Pop), 3);
}

TEST_F(DropIn, NeedsMoreThanThreeOpenColumnsAndASupply) {
    struct Case {
        int16_t mode;
        const char* topRow;
        int16_t ballsLeft, ballsAfter;
        int pops; // since the first case
    } cases[] = {{TopScore, "11111.1..", 10, 10, 0}, // exactly three open columns
                 {TimeAttack, "1111.....", 1, 0, 1},  // five open, one ball left
                 {TopScore, ".........", 0, 0, 1},    // an empty supply drops nothing
                 {Puzzle, ".........", 10, 10, 1}};   // nothing ever drops in Puzzle
    for (const Case& c : cases) {
        ScriptRandom(std::vector<int>(40, 45));
        EndVanishing(c.mode, c.topRow, c.ballsLeft);
        EXPECT_EQ(counters.ballsLeft, c.ballsAfter) << c.topRow;
        EXPECT_EQ(Played(Cue::Pop), c.pops) << c.topRow;
    }
}

} // namespace
