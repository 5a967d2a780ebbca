// Falling, the gravity pass, the vanishing's end and the drop-in of new
// balls, with the sounds they make.
#include "support/game_fixture.h"

#include "game/board_rules.h"

namespace {

using Gravity = GameTest;

TEST_F(Gravity, EachBallFallsAtMostOneCellPerPass) {
    board.cells = BoardFrom({"1........", "2........", "3........", ".........", ".........",
                             ".........", ".........", ".........", "....4...."});
    GravityPass();
    EXPECT_EQ(RowsOf(board.cells)[0], "1........");
    EXPECT_EQ(RowsOf(board.cells)[1], "2........");
    EXPECT_EQ(RowsOf(board.cells)[2], ".........");
    EXPECT_EQ(RowsOf(board.cells)[3], "3........");
    GravityPass();
    EXPECT_EQ(RowsOf(board.cells)[1], ".........");
    EXPECT_EQ(RowsOf(board.cells)[2], "2........");
    EXPECT_EQ(RowsOf(board.cells)[4], "3........");
    for (const auto& column : board.cells)
        for (int16_t cell : column) EXPECT_NE(cell, kTaken);
}

TEST_F(Gravity, AColumnSettlesAfterEnoughPassesAndNoMarkSurvives) {
    board.cells = BoardFrom({"1........", ".........", "2........", ".........", "3........",
                             ".........", ".........", ".........", "........."});
    for (int pass = 0; pass < 12; ++pass) {
        GravityPass();
        for (const auto& column : board.cells)
            for (int16_t cell : column) ASSERT_NE(cell, kTaken);
    }
    auto rows = RowsOf(board.cells);
    EXPECT_EQ(rows[6], "1........");
    EXPECT_EQ(rows[7], "2........");
    EXPECT_EQ(rows[8], "3........");
}

TEST_F(Gravity, SetPlaysOncePerPassWhileABallLiesBelowTheTopRow) {
    board.cells = BoardFrom({"123......", ".........", ".........", ".........", ".........",
                             ".........", ".........", ".........", "........."});
    GravityPass();
    EXPECT_EQ(Played(Cue::Set), 1);
    board.cells = BoardFrom({".........", ".........", ".........", ".........", ".........",
                             ".........", ".........", ".........", "........."});
    GravityPass();
    EXPECT_EQ(Played(Cue::Set), 1);
}

TEST_F(Gravity, AFallStartsOnlyWithRoomBelowAndNoSlide) {
    board.cells = BoardFrom({".........", ".........", ".........", ".........", ".........",
                             ".........", ".........", "....1....", "....2...."});
    StartFallIfNeeded();
    EXPECT_EQ(board.fallOffset, 0);
    board.cells[4][8] = kEmpty;
    board.slideLeftRow = 3;
    StartFallIfNeeded();
    EXPECT_EQ(board.fallOffset, 0) << "no fall starts while a row slides";
    board.slideLeftRow = -1;
    StartFallIfNeeded();
    EXPECT_EQ(board.fallOffset, 1);
}

TEST_F(Gravity, AFallWaitsWhileTheBoardTurns) {
    board.fallOffset = 1;
    board.fallTimer = sim.Now();
    board.spinState = SpinClockwise;
    sim.Advance(100);
    StepFall();
    EXPECT_EQ(board.fallOffset, 1);
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
        board.cells = BoardFrom({topRow, topRow, ".........", ".........", ".........",
                                 ".........", ".........", "x.......x", "123456712"});
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
    ScriptRandom(std::vector<int>(40, 45));
    EndVanishing(TopScore, "11111.1..", 10); // exactly three open columns
    EXPECT_EQ(counters.ballsLeft, 10);
    EXPECT_EQ(Played(Cue::Pop), 0);

    ScriptRandom(std::vector<int>(40, 45));
    EndVanishing(TimeAttack, "1111.....", 1); // five open, one ball left
    EXPECT_EQ(counters.ballsLeft, 0);
    EXPECT_EQ(Played(Cue::Pop), 1);

    ScriptRandom(std::vector<int>(40, 45));
    EndVanishing(TopScore, ".........", 0);
    EXPECT_EQ(Played(Cue::Pop), 1) << "an empty supply drops nothing";

    ScriptRandom(std::vector<int>(40, 45));
    EndVanishing(Puzzle, ".........", 10);
    EXPECT_EQ(counters.ballsLeft, 10) << "nothing ever drops in Puzzle";
}

} // namespace
