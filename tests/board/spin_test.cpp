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

TEST_F(Spin, FourClockwiseTurnsOrClockwiseThenCounterClockwiseGiveTheBoardBack) {
    const Board start = board.cells;
    Board b = start;
    for (int i = 0; i < 4; ++i) b = RotatedClockwise(b);
    EXPECT_EQ(b, start);
    EXPECT_EQ(RotatedCounterClockwise(RotatedClockwise(start)), start);
    EXPECT_NE(RotatedClockwise(start), start);
}

TEST_F(Spin, CornersMoveAsAQuarterTurnShould) {
    const Board& s = board.cells;
    Board cw = RotatedClockwise(s);
    EXPECT_EQ(cw[0][0], s[0][8]) << "bottom-left goes to the top-left";
    EXPECT_EQ(cw[8][0], s[0][0]) << "top-left goes to the top-right";
    Board ccw = RotatedCounterClockwise(s);
    EXPECT_EQ(ccw[0][8], s[0][0]) << "top-left goes to the bottom-left";
    EXPECT_EQ(ccw[0][0], s[8][0]) << "top-right goes to the top-left";
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
            if (frames == 14) {
                EXPECT_NEAR(board.boardZoom, 0.6f, 0.031f);
            }
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
    settings.gameMode = TopScore;
    counters.score = 9;
    EXPECT_FALSE(StartSpin(SpinClockwise));
    EXPECT_EQ(Played(Cue::Spin), 0);
    counters.score = 10;
    EXPECT_TRUE(StartSpin(SpinClockwise));
    FinishTurn();

    settings.gameMode = TimeAttack;
    counters.timeLeft = 25;
    EXPECT_FALSE(StartSpin(SpinClockwise));
    counters.timeLeft = 26;
    EXPECT_TRUE(StartSpin(SpinClockwise));
    EXPECT_FALSE(StartSpin(SpinCounterClockwise)) << "one turn at a time";
    FinishTurn();

    settings.gameMode = Puzzle;
    counters.movesLeft = 0;
    EXPECT_FALSE(StartSpin(SpinClockwise));
    counters.movesLeft = 1;
    board.fallOffset = 3;
    EXPECT_FALSE(StartSpin(SpinClockwise)) << "balls are falling";
    EXPECT_EQ(counters.movesLeft, 1);
    board.fallOffset = 0;
    counters.gameOver = 1;
    EXPECT_FALSE(StartSpin(SpinClockwise));
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
