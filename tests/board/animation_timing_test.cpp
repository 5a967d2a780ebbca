// Every animation steps only when MORE than its interval has passed, at each
// speed; overlapping animations and restarts still end as they should.
#include "support/game_fixture.h"

#include "game/board_frame.h"
#include "game/board_rules.h"
#include "game/modes.h"
#include "game/moves.h"

namespace {

using Timing = GameTest;

TEST_F(Timing, EachAnimationStepsOnlyAfterMoreThanItsInterval) {
    struct Case {
        int16_t speed;
        int fall, vanish, slide, spinCost;
    } cases[] = {{1, 20, 100, 24, 125}, {3, 10, 60, 12, 75}, {5, 0, 20, 0, 25}};
    for (const auto& c : cases) {
        SetUp();
        settings.gameMode = TopScore;
        settings.gameSpeed = c.speed;
        board.fallOffset = 1;
        board.clearing = 1;
        board.slideLeftRow = 0;
        counters.score = 50;
        board.scoreFloor = 40;
        struct Animation {
            int interval;
            uint32_t& stamp;
            const int16_t& counter;
            void (*step)();
        } animations[] = {{c.fall, board.fallTimer, board.fallOffset, StepFall},
                          {c.vanish, board.animTimer, board.animStep, StepVanish},
                          {c.slide, board.slideTimer, board.slideStep, StepSlide},
                          {c.spinCost, board.spinTimer, counters.score, StepSpin}};
        for (Animation& a : animations) {
            if (&a == &animations[3]) board.spinState = SpinClockwise; // last: it holds falls
            for (int ms : {a.interval, a.interval + 1}) {
                a.stamp = sim.Now();
                sim.Advance(ms);
                const int16_t before = a.counter;
                a.step();
                EXPECT_EQ(a.counter != before, ms > a.interval)
                    << "speed " << c.speed << ", " << ms << " ms after a step of " << a.interval;
            }
        }
    }
}

TEST_F(Timing, FallingBallsMoveTwoPixelsAStepAndLandAfterTheCellPitch) {
    board.cells = BoardWith({{7, "....1...."}});
    board.fallOffset = 1;
    int steps = 0;
    while (board.fallOffset != 0) {
        board.fallTimer = sim.Now();
        sim.Advance(100);
        StepFall();
        ++steps;
    }
    EXPECT_EQ(steps, 17); // 1, 3, ..., 35: past the 34-pixel pitch
    EXPECT_EQ(RowsOf(board.cells)[8], "....1....");
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
    for (int frames = 0; (board.clearing || SlideRunning()) && frames < 500; ++frames) sim.Frame();
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
