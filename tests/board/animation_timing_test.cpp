// Every animation steps only when MORE than its interval has passed, at each
// speed; overlapping animations and restarts still end as they should.
#include "support/game_fixture.h"

#include "game/board_frame.h"
#include "game/board_rules.h"
#include "game/modes.h"
#include "game/moves.h"

namespace {

class Timing : public GameTest {
public:
    // Sets the clock so exactly `ms` have passed since `stamp`, runs `step`,
    // and returns whether `counter` moved.
    template <typename Step>
    bool StepsAfter(int ms, uint32_t& stamp, const int16_t& counter, Step step) {
        stamp = sim.Now();
        sim.Advance(ms);
        int16_t before = counter;
        step();
        return counter != before;
    }
};

TEST_F(Timing, EachAnimationStepsOnlyAfterMoreThanItsInterval) {
    struct Case {
        int16_t speed;
        int fall, vanish, slide, spinCost;
    } cases[] = {{1, 20, 100, 24, 125}, {3, 10, 60, 12, 75}, {5, 0, 20, 0, 25}};
    for (const auto& c : cases) {
        SetUp();
        settings.gameSpeed = c.speed;
        SCOPED_TRACE(c.speed);

        board.fallOffset = 1;
        EXPECT_FALSE(StepsAfter(c.fall, board.fallTimer, board.fallOffset, StepFall));
        EXPECT_TRUE(StepsAfter(c.fall + 1, board.fallTimer, board.fallOffset, StepFall));

        board.clearing = 1;
        board.animStep = 0;
        EXPECT_FALSE(StepsAfter(c.vanish, board.animTimer, board.animStep, StepVanish));
        EXPECT_TRUE(StepsAfter(c.vanish + 1, board.animTimer, board.animStep, StepVanish));

        board.slideLeftRow = 0;
        board.slideStep = 0;
        EXPECT_FALSE(StepsAfter(c.slide, board.slideTimer, board.slideStep, StepSlide));
        EXPECT_TRUE(StepsAfter(c.slide + 1, board.slideTimer, board.slideStep, StepSlide));

        settings.gameMode = TopScore;
        counters.score = 50;
        board.scoreFloor = 40;
        board.spinState = SpinClockwise;
        EXPECT_FALSE(StepsAfter(c.spinCost, board.spinTimer, counters.score, StepSpin));
        EXPECT_TRUE(StepsAfter(c.spinCost + 1, board.spinTimer, counters.score, StepSpin));
    }
}

TEST_F(Timing, FallingBallsMoveTwoPixelsAStepAndLandAfterTheCellPitch) {
    board.cells = BoardFrom({".........", ".........", ".........", ".........", ".........",
                             ".........", ".........", "....1....", "........."});
    board.fallOffset = 1;
    int steps = 0;
    while (board.fallOffset != 0) {
        board.fallTimer = sim.Now();
        sim.Advance(100);
        StepFall();
        ++steps;
    }
    EXPECT_EQ(steps, 17); // 1, 3, ..., 35: past the 34-pixel pitch
    EXPECT_EQ(board.cells[4][8], 1);
    EXPECT_EQ(board.cells[4][7], kEmpty);
}

TEST_F(Timing, AVanishingOverlappedByASlideStillEndsAfterThreeSteps) {
    settings.gameMode = TimeAttack;
    counters.timeLeft = 300;
    board.cells = BoardFrom({"123456712", "234567123", "345671234", "456712345", "567123456",
                             "671234567", "712345671", "123456712", "111567123"});
    // Let the line of 1s start vanishing, then slide row 2 while it runs.
    StepBoardFrame(BoardPainter{});
    ASSERT_TRUE(board.clearing);
    ASSERT_TRUE(StartSlide(2, SlideLeft));
    int frames = 0;
    while ((board.clearing || SlideRunning()) && frames < 500) {
        sim.Frame();
        ++frames;
    }
    EXPECT_FALSE(board.clearing);
    EXPECT_FALSE(SlideRunning());
    for (const auto& column : board.cells)
        for (int16_t cell : column) EXPECT_NE(cell, kVanishing);
    EXPECT_GE(sim.Settle(), 0);
}

TEST_F(Timing, ARestartInTheMiddleOfAnyAnimationStartsClean) {
    settings.gameMode = TopScore;
    settings.difficulty = 2;
    // Mid-vanishing, mid-fall, mid-slide and mid-turn all at once.
    board.clearing = 1;
    board.animStep = 2;
    board.fallOffset = 17;
    board.slideRightRow = 3;
    board.slideStep = 20;
    board.spinState = SpinClockwise;
    board.spinAngle = -45.0f;
    board.boardZoom = 0.6f;
    SetupGame();
    const Board fresh = board.cells;
    EXPECT_FALSE(BoardAnimating());
    EXPECT_EQ(board.boardZoom, 1.0f);
    EXPECT_EQ(board.spinAngle, 0.0f);
    // The new board does not get turned or shifted by the old animations.
    for (int i = 0; i < 5; ++i) sim.Frame();
    for (int c = 1; c < kBoardSize; ++c)
        for (int r = 1; r < kBoardSize; ++r) EXPECT_EQ(board.cells[c][r], fresh[c][r]);
}

} // namespace
