// Row slides: wrap-around both ways, what they carry, what they cost and
// when they are refused.
#include "support/game_fixture.h"

#include "game/moves.h"

namespace {

class Slide : public GameTest {
public:
    void SetUp() override {
        GameTest::SetUp();
        settings.gameMode = TimeAttack;
        board.cells = BoardFrom({"123456712", "234567123", "345671234", "456712345", "56712.x56",
                                 "671234567", "712345671", "123456712", "234567123"});
    }
};

TEST_F(Slide, RowsWrapAroundBothWaysCarryingEmptyAndVanishingCells) {
    ASSERT_TRUE(StartSlide(4, SlideLeft));
    EXPECT_EQ(RowsOf(board.cells)[4], "6712.x565");
    EXPECT_EQ(board.slideLeftRow, 4);
    board.slideLeftRow = -1;
    ASSERT_TRUE(StartSlide(4, SlideRight));
    ASSERT_EQ(RowsOf(board.cells)[4], "56712.x56");
    board.slideRightRow = -1;
    ASSERT_TRUE(StartSlide(4, SlideRight));
    EXPECT_EQ(RowsOf(board.cells)[4], "656712.x5");
    EXPECT_EQ(RowsOf(board.cells)[3], "456712345") << "other rows stay";
    EXPECT_EQ(Played(Cue::Move), 3);
}

TEST_F(Slide, TwoLeftThenTwoRightGiveTheRowBack) {
    const Board start = board.cells;
    for (SlideDirection d : {SlideLeft, SlideLeft, SlideRight, SlideRight}) {
        ASSERT_TRUE(StartSlide(4, d));
        board.slideLeftRow = board.slideRightRow = -1;
    }
    EXPECT_EQ(board.cells, start);
}

TEST_F(Slide, OneSlideAtATimeAndNoneWhileTheBoardMoves) {
    ASSERT_TRUE(StartSlide(2, SlideLeft));
    EXPECT_FALSE(StartSlide(3, SlideRight)) << "a slide is running";
    board.slideLeftRow = -1;
    board.fallOffset = 5;
    EXPECT_FALSE(StartSlide(3, SlideRight)) << "balls are falling";
    board.fallOffset = 0;
    board.spinState = SpinClockwise;
    EXPECT_FALSE(StartSlide(3, SlideRight)) << "the board turns";
    board.spinState = NoSpin;
    counters.gameOver = 1;
    EXPECT_FALSE(StartSlide(3, SlideRight)) << "the game is over";
    counters.gameOver = 0;
    board.clearing = 1;
    EXPECT_TRUE(StartSlide(3, SlideRight)) << "a slide may start while balls vanish";
}

TEST_F(Slide, CostsPerMode) {
    settings.gameMode = TopScore;
    counters.score = 0;
    ASSERT_TRUE(StartSlide(0, SlideLeft));
    EXPECT_EQ(counters.score, 0) << "a slide at 0 points is allowed and costs nothing";
    board.slideLeftRow = -1;
    counters.score = 7;
    ASSERT_TRUE(StartSlide(0, SlideLeft));
    EXPECT_EQ(counters.score, 6);
    board.slideLeftRow = -1;

    settings.gameMode = TimeAttack;
    counters.timeLeft = 100;
    ASSERT_TRUE(StartSlide(0, SlideLeft));
    EXPECT_EQ(counters.timeLeft, 100);
    EXPECT_EQ(counters.score, 6);
    board.slideLeftRow = -1;

    settings.gameMode = Puzzle;
    counters.movesLeft = 1;
    ASSERT_TRUE(StartSlide(0, SlideLeft));
    EXPECT_EQ(counters.movesLeft, 0);
    board.slideLeftRow = -1;
    const Board before = board.cells;
    EXPECT_FALSE(StartSlide(0, SlideLeft)) << "no moves left";
    EXPECT_EQ(board.cells, before);
}

TEST_F(Slide, WaitsForTheMouseButtonToComeUp) {
    static int waits = 0;
    waits = 0;
    gameHooks.waitMouseRelease = [] { ++waits; };
    ASSERT_TRUE(StartSlide(0, SlideLeft));
    EXPECT_EQ(waits, 1);
}

} // namespace
