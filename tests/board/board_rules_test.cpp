// The board's rules on the headless simulator: the random fill, line search
// and scoring, falls and drop-ins, slides, quarter turns, the animations'
// timing, and whole moves.
#include "support/game_fixture.h"

#include "game/rules/board_frame.h"
#include "game/rules/board_rules.h"
#include "game/rules/modes.h"
#include "game/rules/moves.h"

namespace {

using Rules = GameTest;
using Rows = std::vector<std::pair<int, std::string>>;

int Count(int16_t code) {
    int n = 0;
    for (const auto& column : board.cells)
        for (int16_t cell : column)
            n += (cell == code);
    return n;
}

const std::vector<std::string> kFull = {"123456712", "234567123", "345671234",
                                        "456712345", "56712.x56", "671234567",
                                        "712345671", "123456712", "234567123"};

TEST_F(Rules, RandomFillStartsLinesOnlyInTheTopRowOrLeftColumn) {
    int blacks = 0;
    settings.gameMode = TopScore;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SeedGameRandom(seed);
        NewBoard();
        blacks += Count(kBlackBall);
        for (int c = 0; c < kBoardSize; ++c)
            for (int r = 0; r < kBoardSize; ++r) {
                int16_t code = board.cells[c][r];
                ASSERT_TRUE(code >= 1 && code <= 8) << BoardText(board.cells);
                if (c > 0 && r > 0) {
                    ASSERT_NE(code, board.cells[c - 1][r]) << BoardText(board.cells);
                    ASSERT_NE(code, board.cells[c][r - 1]) << BoardText(board.cells);
                }
            }
        ScanBoard(); // whatever it finds lies in row 0 or column 0
        for (int c = 1; c < kBoardSize; ++c)
            for (int r = 1; r < kBoardSize; ++r)
                ASSERT_NE(board.cells[c][r], kVanishing);
    }
    // About 3 in 50 draws are black; the redraws keep it near that.
    EXPECT_GT(blacks / (300.0 * 81), 0.03);
    EXPECT_LT(blacks / (300.0 * 81), 0.10);
}

TEST_F(Rules, EachBoardEarnsItsPointsAndSecondsAndClearsItsLines) {
    struct Case {
        Rows rows;
        bool filler; // four 7s in the top row keep "some colour has three" true
        int score, time, vanish;
    } cases[] = {
        // (L - 2) finds x L(L - 1) points for a line of L.
        {{{4, "..111...."}}, true, 6, 3, 3},
        {{{4, "..111111."}}, true, 120, 60, 6},
        // Black balls earn by place: three give 6 + 6 x (0 + 1 + 2) points
        // and 3 + 2 x 3 seconds; four are found twice.
        {{{2, "...KKK..."}}, true, 24, 9, 3},
        {{{2, ".KKKK...."}}, true, 96, 36, 4},
        // Crossing lines both score and share the ball: an L, a plus sign.
        {{{0, "111......"}, {1, "1........"}, {2, "1.....777"}}, false, 18, 9, 8},
        {{{3, "....2...."}, {4, "...222..."}, {5, "....2...."}}, true, 12, 6, 5},
        // Lines do not wrap (only slides do); empty cells never make one.
        {{{1, "11.....11"}}, true, 0, 0, 0},
        {{}, true, 0, 0, 0},
        // Lines along every edge (last: checked below).
        {{{0, "333......"}, {4, "4.......5"}, {5, "4.......5"}, {6, "4.......5"}, {8, "......666"}},
         false,
         24,
         12,
         12},
    };
    for (const Case& c : cases) {
        SetUp();
        settings.gameMode = TopScore;
        counters.timeLeft = 0;
        Rows rows = c.rows;
        if (c.filler) rows.insert(rows.begin(), {0, "7.7.7.7.7"});
        board.cells = BoardWith(rows);
        ScanBoard();
        SCOPED_TRACE(BoardText(board.cells));
        EXPECT_EQ(std::vector<int>(
                      {counters.score, counters.timeLeft, Count(kVanishing), board.clearing != 0}),
                  std::vector<int>({c.score, c.time, c.vanish, c.vanish > 0}));
    }
    EXPECT_EQ(
        RowsOf(board.cells),
        std::vector<std::string>({"xxx......", ".........", ".........", ".........", "x.......x",
                                  "x.......x", "x.......x", ".........", "......xxx"}));
    // Each inner cell of a line finds it once, and each find chimes.
    for (int length : {3, 6}) {
        SetUp();
        board.cells = BoardWith(
            {{0, "7.7.7.7.7"}, {4, std::string(length, '1') + std::string(9 - length, '.')}});
        ScanBoard();
        EXPECT_EQ(Played(Cue::Clear), length - 2) << length;
    }
}

TEST_F(Rules, BallsFallAtMostOneCellPerPassAndOnlyWithRoomAndNoSlideOrTurn) {
    board.cells =
        BoardWith({{0, "1........"}, {1, "2........"}, {2, "3........"}, {8, "....4...."}});
    for (const auto& rows :
         {std::vector<std::string>{"1........", "2........", ".........", "3........", "........."},
          {"1........", ".........", "2........", ".........", "3........"}}) {
        GravityPass();
        auto all = RowsOf(board.cells);
        EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 5), rows);
    }
    EXPECT_EQ(Played(Cue::Set), 2) << "once per pass while a ball lies below the top row";
    for (int pass = 0; pass < 12; ++pass) {
        GravityPass();
        ASSERT_EQ(Count(kTaken), 0);
    }
    EXPECT_EQ(RowsOf(board.cells)[6] + RowsOf(board.cells)[8], "1........3...4....");
    ClearCues();
    board.cells = BoardWith({{0, "123......"}});
    GravityPass();
    board.cells = BoardWith({});
    GravityPass();
    EXPECT_EQ(Played(Cue::Set), 1) << "nothing below the top row: no sound";

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
    // Two pixels a step; the ball lands past the 34-pixel pitch.
    int steps = 0;
    for (; board.fallOffset != 0; ++steps) {
        board.fallTimer = sim.Now();
        sim.Advance(100);
        StepFall();
    }
    EXPECT_EQ(steps, 17);
    EXPECT_EQ(RowsOf(board.cells)[8], "....1....");
}

TEST_F(Rules, NewBallsDropInFromTheSupplyWhereMoreThanThreeColumnsAreOpen) {
    auto endVanishing = [this](int16_t mode, std::string top, int16_t ballsLeft) {
        settings.gameMode = mode;
        counters.ballsLeft = ballsLeft;
        board.cells = BoardWith({{0, top}, {1, top}, {7, "x.......x"}, {8, "123456712"}});
        board.clearing = 1;
        board.animStep = 2;
        board.animTimer = sim.Now();
        sim.Advance(1000);
        StepVanish();
    };
    // Per column: a draw over 30 drops a ball of code (next draw % 8) + 1.
    ScriptRandom({31, 2, 30, 45, 7, 0, 0, 0, 0, 0, 49, 0});
    endVanishing(TopScore, ".........", 10);
    EXPECT_FALSE(board.clearing);
    EXPECT_EQ(RowsOf(board.cells)[0] + RowsOf(board.cells)[7], "3.K.....1.........");
    EXPECT_EQ(counters.ballsLeft, 7);
    EXPECT_EQ(Played(Cue::Pop), 3);
    struct Case {
        int16_t mode;
        const char* top;
        int16_t ballsLeft, ballsAfter;
        int pops;                                    // since the start
    } cases[] = {{TopScore, "11111.1..", 10, 10, 3}, // exactly three open columns
                 {TimeAttack, "1111.....", 1, 0, 4}, // five open, one ball left
                 {TopScore, ".........", 0, 0, 4},   // an empty supply drops nothing
                 {Puzzle, ".........", 10, 10, 4}};  // nothing ever drops in Puzzle
    for (const Case& c : cases) {
        ScriptRandom(std::vector<int>(40, 45));
        endVanishing(c.mode, c.top, c.ballsLeft);
        EXPECT_EQ(std::vector<int>({counters.ballsLeft, Played(Cue::Pop)}),
                  std::vector<int>({c.ballsAfter, c.pops}))
            << c.top;
    }
}

TEST_F(Rules, RowsSlideWithWrapAroundOneAtATimeAtTheirCost) {
    auto slide = [](int row, SlideDirection d) {
        bool started = StartSlide(row, d);
        board.slideLeftRow = board.slideRightRow = -1;
        return started;
    };
    settings.gameMode = TimeAttack;
    board.cells = BoardFrom(kFull);
    static int waits = 0;
    gameHooks.waitMouseRelease = [] { ++waits; };
    ASSERT_TRUE(StartSlide(4, SlideLeft));
    EXPECT_EQ(RowsOf(board.cells)[4], "6712.x565") << "empty and vanishing cells ride along";
    EXPECT_EQ(waits, 1) << "waits for the mouse button to come up";
    EXPECT_FALSE(StartSlide(3, SlideRight)) << "a slide is running";
    board.slideLeftRow = -1;
    ASSERT_TRUE(slide(4, SlideRight) && slide(4, SlideRight));
    EXPECT_EQ(RowsOf(board.cells)[4], "656712.x5");
    EXPECT_EQ(RowsOf(board.cells)[3], "456712345") << "other rows stay";
    EXPECT_EQ(Played(Cue::Move), 3);
    // Refused while balls fall, the board turns, or the game is over; allowed
    // while balls vanish.
    for (auto [fall, spin, over, clearing, allowed] : {std::tuple{5, NoSpin, 0, 0, false},
                                                       {0, SpinClockwise, 0, 0, false},
                                                       {0, NoSpin, 1, 0, false},
                                                       {0, NoSpin, 0, 1, true}}) {
        board.fallOffset = int16_t(fall);
        board.spinState = spin;
        counters.gameOver = int16_t(over);
        board.clearing = int16_t(clearing);
        EXPECT_EQ(slide(3, SlideRight), allowed) << fall << spin << over;
    }
    struct Case {
        int16_t mode, score, movesLeft;
        bool allowed;
        int16_t scoreAfter, movesAfter;
    } cases[] = {{TopScore, 0, 5, true, 0, 5}, // at 0 points allowed, free
                 {TopScore, 7, 5, true, 6, 5},
                 {TimeAttack, 7, 5, true, 7, 5},
                 {Puzzle, 7, 1, true, 7, 0},
                 {Puzzle, 7, 0, false, 7, 0}}; // no moves left
    for (const Case& c : cases) {
        SetUp();
        settings.gameMode = c.mode;
        board.cells = BoardFrom(kFull);
        counters.score = c.score;
        counters.timeLeft = 100;
        counters.movesLeft = c.movesLeft;
        EXPECT_EQ(slide(0, SlideLeft), c.allowed) << "mode " << c.mode;
        EXPECT_EQ(std::vector<int>({counters.score, counters.timeLeft, counters.movesLeft,
                                    board.cells != BoardFrom(kFull)}),
                  std::vector<int>({c.scoreAfter, 100, c.movesAfter, c.allowed}))
            << "mode " << c.mode;
    }
}

// Runs frames until the turn is over; returns the frames it took.
int FinishTurn(BoardSimulator& sim) {
    int frames = 0;
    for (; board.spinState != NoSpin && frames < 1000; ++frames) {
        sim.Advance(15);
        StepSpin();
    }
    return frames;
}

TEST_F(Rules, ATurnTakesNinetyFramesShrinksAndGrowsAndTurnsTheDataAtTheEnd) {
    settings.gameMode = Puzzle;
    counters.movesLeft = 3;
    const Board start = board.cells = BoardWith({{0, "1.......2"}, {8, "3.......K"}});
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
        }
    }
    EXPECT_EQ(frames, 90);
    EXPECT_FLOAT_EQ(smallest, 0.6f);
    EXPECT_EQ(std::pair(board.boardZoom, board.spinAngle), std::pair(1.0f, 0.0f));
    EXPECT_EQ(RowsOf(board.cells)[0] + RowsOf(board.cells)[8], "3.......1K.......2");
}

TEST_F(Rules, TurnsAreRefusedAtEachModesThresholdAndTheirCostStopsAtItsFloor) {
    struct Case {
        int16_t mode, score, timeLeft, movesLeft, fallOffset, gameOver;
        bool allowed;
    } cases[] = {
        {TopScore, 9, 0, 0, 0, 0, false},    {TopScore, 10, 0, 0, 0, 0, true},
        {TimeAttack, 0, 25, 0, 0, 0, false}, {TimeAttack, 0, 26, 0, 0, 0, true},
        {Puzzle, 0, 0, 0, 0, 0, false},      {Puzzle, 0, 0, 1, 0, 0, true},
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
        EXPECT_EQ(counters.movesLeft, c.movesLeft - (c.allowed && c.mode == Puzzle));
        if (c.allowed) {
            EXPECT_FALSE(StartSpin(SpinCounterClockwise)) << "one turn at a time";
        }
    }
    struct Cost {
        int16_t mode, speed, start, expected;
    } costs[] = {
        // 90 frames of 15 ms: a tick needs more than (6 - speed) x 25 ms.
        {TopScore, 5, 50, 40},    // 45 ticks, stopped at the floor of 10
        {TopScore, 5, 10, 0},     // down to 0 and no further
        {TimeAttack, 5, 100, 75}, // 45 ticks, stopped at 25
        {TimeAttack, 1, 100, 90}, // a tick each 135 ms: only 10 of 25
    };
    for (const Cost& c : costs) {
        SetUp();
        settings.gameMode = c.mode;
        settings.gameSpeed = c.speed;
        int16_t& counter = c.mode == TopScore ? counters.score : counters.timeLeft;
        counter = c.start;
        ASSERT_TRUE(StartSpin(SpinCounterClockwise));
        FinishTurn(sim);
        EXPECT_EQ(counter, c.expected) << "mode " << c.mode << " speed " << c.speed;
    }
}

TEST_F(Rules, EachAnimationStepsOnlyAfterMoreThanItsInterval) {
    struct Case {
        int16_t speed;
        int fall, vanish, slide, spinCost;
    } cases[] = {{1, 20, 100, 24, 125}, {5, 0, 20, 0, 25}};
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

TEST_F(Rules, OverlappingAnimationsAndARestartMidAnimationEndClean) {
    settings.gameMode = TimeAttack;
    counters.timeLeft = 300;
    std::vector<std::string> rows = kFull;
    rows[4] = "567123456";
    rows[8] = "111567123";
    board.cells = BoardFrom(rows);
    // The line of 1s starts vanishing; row 2 slides while it runs.
    StepBoardFrame(BoardPainter{});
    ASSERT_TRUE(board.clearing);
    ASSERT_TRUE(StartSlide(2, SlideLeft));
    for (int f = 0; (board.clearing || SlideRunning()) && f < 500; ++f)
        sim.Frame();
    EXPECT_FALSE(board.clearing || SlideRunning());
    EXPECT_EQ(Count(kVanishing), 0);
    EXPECT_GE(sim.Settle(), 0);

    // Mid-vanishing, mid-fall, mid-slide and mid-turn all at once.
    settings.gameMode = TopScore;
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
    EXPECT_EQ(std::pair(board.boardZoom, board.spinAngle), std::pair(1.0f, 0.0f));
    // The new board is not turned or shifted by the old animations.
    for (int i = 0; i < 5; ++i)
        sim.Frame();
    for (int c = 1; c < kBoardSize; ++c)
        for (int r = 1; r < kBoardSize; ++r)
            EXPECT_EQ(board.cells[c][r], fresh[c][r]);
}

} // namespace
