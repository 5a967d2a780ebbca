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
    bool SlideAndFinish(int row, SlideDirection direction) {
        bool started = StartSlide(row, direction);
        board.slideLeftRow = board.slideRightRow = -1;
        return started;
    }
};

TEST_F(Slide, RowsWrapAroundBothWaysCarryingEmptyAndVanishingCells) {
    const Board start = board.cells;
    ASSERT_TRUE(StartSlide(4, SlideLeft));
    EXPECT_EQ(RowsOf(board.cells)[4], "6712.x565");
    EXPECT_EQ(board.slideLeftRow, 4);
    board.slideLeftRow = -1;
    ASSERT_TRUE(SlideAndFinish(4, SlideRight));
    ASSERT_TRUE(SlideAndFinish(4, SlideRight));
    EXPECT_EQ(RowsOf(board.cells)[4], "656712.x5");
    EXPECT_EQ(RowsOf(board.cells)[3], "456712345") << "other rows stay";
    EXPECT_EQ(Played(Cue::Move), 3);
    ASSERT_TRUE(SlideAndFinish(4, SlideLeft));
    EXPECT_EQ(board.cells, start);
}

TEST_F(Slide, OneSlideAtATimeAndNoneWhileTheBoardMovesOrTheGameIsOver) {
    static int waits = 0;
    waits = 0;
    gameHooks.waitMouseRelease = [] { ++waits; };
    ASSERT_TRUE(StartSlide(2, SlideLeft));
    EXPECT_EQ(waits, 1) << "waits for the mouse button to come up";
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
    struct Case {
        int16_t mode, score, timeLeft, movesLeft;
        bool allowed;
        int16_t scoreAfter, timeAfter, movesAfter;
    } cases[] = {
        {TopScore, 0, 100, 5, true, 0, 100, 5}, // at 0 points allowed, free
        {TopScore, 7, 100, 5, true, 6, 100, 5},
        {TimeAttack, 7, 100, 5, true, 7, 100, 5},
        {Puzzle, 7, 100, 1, true, 7, 100, 0},
        {Puzzle, 7, 100, 0, false, 7, 100, 0}, // no moves left
    };
    for (const Case& c : cases) {
        SetUp();
        settings.gameMode = c.mode;
        counters.score = c.score;
        counters.timeLeft = c.timeLeft;
        counters.movesLeft = c.movesLeft;
        const Board before = board.cells;
        EXPECT_EQ(SlideAndFinish(0, SlideLeft), c.allowed) << "mode " << c.mode;
        EXPECT_EQ(std::vector<int>({counters.score, counters.timeLeft, counters.movesLeft}),
                  std::vector<int>({c.scoreAfter, c.timeAfter, c.movesAfter}))
            << "mode " << c.mode;
        EXPECT_EQ(board.cells != before, c.allowed);
    }
}

} // namespace
