// Setting up and restarting games in each mode, and the TimeAttack clock.
#include "support/game_fixture.h"
#include "support/temp_game_dir.h"

#include "game/modes.h"

#include <tuple>

namespace {

class Setup : public GameTest {
public:
    TempGameDir dir;
    void SetUp() override {
        GameTest::SetUp();
        std::string level;
        for (int i = 0; i < 81; ++i) level += (i % 9 == 4) ? "2 " : "1 ";
        for (int n = 1; n <= 10; ++n) dir.Write("gfx/level0" + std::to_string(n) + ".dat", level);
    }
};

TEST_F(Setup, EachModeAndDifficultyStartsItsCounters) {
    for (int16_t mode : {TimeAttack, TopScore}) {
        for (int16_t difficulty : {1, 2, 3}) {
            settings.gameMode = mode;
            settings.difficulty = difficulty;
            counters.score = 77;
            counters.gameOver = 1;
            SetupGame();
            EXPECT_EQ(counters.ballsLeft, 50 * difficulty);
            EXPECT_EQ(counters.timeLeft, 600);
            EXPECT_EQ(counters.score, 0);
            EXPECT_FALSE(counters.gameOver);
            EXPECT_TRUE(counters.boardReady);
            EXPECT_GE(board.cells[4][4], 1) << "a full new board";
        }
    }
    settings.gameMode = Puzzle;
    for (int16_t level : {1, 7, 10}) {
        counters.puzzleLevel = level;
        SetupGame();
        EXPECT_EQ(counters.movesLeft, level);
        EXPECT_EQ(board.cells[4][0], 2); // value 2 is colour 2
        EXPECT_EQ(board.cells[0][0], kEmpty);
    }
}

TEST_F(Setup, RestartKeepsTheSettingsAndThePuzzleLevelAndShowsTheCompletionAgain) {
    settings = {.gameMode = Puzzle, .difficulty = 3, .gameSpeed = 5, .sfxVolume = 12,
                .musicVolume = 34};
    const GameSettings chosen = settings;
    counters.puzzleLevel = 4;
    SetupGame();
    counters.movesLeft = 0;
    counters.gameOver = 1;
    counters.boardReady = 0; // the Restart button
    SetupGame();
    auto kept = [](const GameSettings& s) {
        return std::tuple(s.gameMode, s.difficulty, s.gameSpeed, s.sfxVolume, s.musicVolume);
    };
    EXPECT_EQ(kept(settings), kept(chosen));
    EXPECT_EQ(counters.puzzleLevel, 4);
    EXPECT_EQ(counters.movesLeft, 4) << "the level again with all its moves";
    EXPECT_FALSE(counters.gameOver);

    static int shown;
    shown = 0;
    gameHooks.showCompletionScreen = [] { ++shown; };
    counters.puzzleLevel = 11; // after the last level
    SetupGame();
    SetupGame();
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(counters.gameOver);
    EXPECT_EQ(counters.puzzleLevel, 11);
}

TEST_F(Setup, TheTimeAttackClockTicksOncePerMoreThanASecond) {
    settings.gameMode = TimeAttack;
    SetupGame();
    counters.lastTick = sim.Now();
    struct Step {
        int advance;
        int16_t timeLeft;
    } steps[] = {{1000, 600}, {1, 599}, {0, 599}}; // the stamp moved on
    for (const Step& s : steps) {
        sim.Advance(s.advance);
        TickTimeAttackClock();
        EXPECT_EQ(counters.timeLeft, s.timeLeft);
    }
    board.spinState = SpinClockwise; // the clock runs during a turn
    sim.Advance(1001);
    TickTimeAttackClock();
    EXPECT_EQ(counters.timeLeft, 598);
    counters.gameOver = 1;
    sim.Advance(5000);
    TickTimeAttackClock();
    EXPECT_EQ(counters.timeLeft, 598) << "the clock stops at game over";
    settings.gameMode = TopScore;
    counters.gameOver = 0;
    TickTimeAttackClock();
    EXPECT_EQ(counters.timeLeft, 598) << "only TimeAttack has a clock";
}

} // namespace
