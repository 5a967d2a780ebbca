// Quarter turns: the index mappings, the zoom, what a turn costs and where
// the deduction stops.
#include "support/game_fixture.h"

#include "game/board_frame.h"
#include "game/moves.h"

namespace {

class Spin : public GameTest {
public:
    void SetUp() override {
        GameTest::SetUp();
        board.cells = BoardFrom({"123456712", "2345671.3", "345671234", "456712345", "5671K3456",
                                 "671234567", "712345671", "123456712", "K3456712."});
    }
    // Runs frames until the turn is over; returns the frames it took.
    int FinishTurn() {
        int frames = 0;
        while (board.spinState != NoSpin && frames < 1000) {
            sim.Advance(15);
            StepSpin();
            ++frames;
        }
        return frames;
    }
};

TEST_F(Spin, QuarterTurnsMoveTheCornersAndUndoEachOther) {
    const Board& s = board.cells;
    Board cw = RotatedClockwise(s), ccw = RotatedCounterClockwise(s);
    EXPECT_EQ(cw[0][0], s[0][8]) << "bottom-left goes to the top-left";
    EXPECT_EQ(cw[8][0], s[0][0]) << "top-left goes to the top-right";
    EXPECT_EQ(ccw[0][8], s[0][0]) << "top-left goes to the bottom-left";
    EXPECT_EQ(ccw[0][0], s[8][0]) << "top-right goes to the top-left";
    EXPECT_EQ(RotatedCounterClockwise(cw), s);
    EXPECT_EQ(RotatedClockwise(RotatedClockwise(RotatedClockwise(cw))), s);
}

TEST_F(Spin, ATurnTakesNinetyFramesShrinksAndGrowsAndTurnsTheDataAtTheEnd) {
    settings.gameMode = Puzzle;
    counters.movesLeft = 3;
    const Board start = board.cells;
    ASSERT_TRUE(StartSpin(SpinClockwise));
    EXPECT_EQ(counters.movesLeft, 2);
    EXPECT_EQ(Played(Cue::Spin), 1);
    float smallest = 1.0f;
    int frames = 0;
    while (board.spinState != NoSpin) {
        sim.Advance(15);
        StepSpin();
        ++frames;
        smallest = std::min(smallest, board.boardZoom);
        if (board.spinState != NoSpin) {
            ASSERT_EQ(board.cells, start) << "the data turns only on the last frame";
            ASSERT_FLOAT_EQ(board.spinAngle, -static_cast<float>(frames));
            if (frames == 14) { EXPECT_NEAR(board.boardZoom, 0.6f, 0.031f); }
        }
    }
    EXPECT_EQ(frames, 90);
    EXPECT_FLOAT_EQ(smallest, 0.6f);
    EXPECT_FLOAT_EQ(board.boardZoom, 1.0f);
    EXPECT_EQ(board.spinAngle, 0.0f);
    EXPECT_EQ(board.cells, RotatedClockwise(start));
    ASSERT_TRUE(StartSpin(SpinCounterClockwise));
    FinishTurn();
    EXPECT_EQ(board.cells, start);
}

TEST_F(Spin, RefusedAtTheThresholdsOfEachMode) {
    struct Case {
        int16_t mode, score, timeLeft, movesLeft, fallOffset, gameOver;
        bool allowed;
    } cases[] = {
        {TopScore, 9, 0, 0, 0, 0, false},      {TopScore, 10, 0, 0, 0, 0, true},
        {TimeAttack, 0, 25, 0, 0, 0, false},   {TimeAttack, 0, 26, 0, 0, 0, true},
        {Puzzle, 0, 0, 0, 0, 0, false},        {Puzzle, 0, 0, 1, 0, 0, true},
        {Puzzle, 0, 0, 1, 3, 0, false}, // balls are falling
        {Puzzle, 0, 0, 1, 0, 1, false},
    };
    for (const Case& c : cases) {
        SetUp();
        settings.gameMode = c.mode;
        counters.score = c.score;
        counters.timeLeft = c.timeLeft;
        counters.movesLeft = c.movesLeft;
        board.fallOffset = c.fallOffset;
        counters.gameOver = c.gameOver;
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " score " << c.score << " time "
                                        << c.timeLeft << " moves " << c.movesLeft);
        EXPECT_EQ(StartSpin(SpinClockwise), c.allowed);
        EXPECT_EQ(Played(Cue::Spin), c.allowed ? 1 : 0);
        if (!c.allowed) { EXPECT_EQ(counters.movesLeft, c.movesLeft); }
        if (c.allowed) { EXPECT_FALSE(StartSpin(SpinCounterClockwise)) << "one turn at a time"; }
    }
}

TEST_F(Spin, TheDeductionStopsAtItsFloorAndTheRestIsNotDeducted) {
    struct Case {
        int16_t mode, speed, start, expected;
    } cases[] = {
        // 90 frames of 15 ms: a tick needs more than (6 - speed) x 25 ms.
        {TopScore, 5, 50, 40},    // 45 ticks, stopped at the floor of 10
        {TopScore, 5, 10, 0},     // down to 0 and no further
        {TimeAttack, 5, 100, 75}, // 45 ticks, stopped at 25
        {TimeAttack, 1, 100, 90}, // a tick each 135 ms: only 10 of 25
        {TimeAttack, 3, 100, 85}, // a tick each 90 ms: 15
    };
    for (const auto& c : cases) {
        SetUp();
        settings.gameMode = c.mode;
        settings.gameSpeed = c.speed;
        (c.mode == TopScore ? counters.score : counters.timeLeft) = c.start;
        ASSERT_TRUE(StartSpin(SpinCounterClockwise));
        FinishTurn();
        EXPECT_EQ(c.mode == TopScore ? counters.score : counters.timeLeft, c.expected)
            << "mode " << c.mode << " speed " << c.speed;
    }
}

} // namespace
