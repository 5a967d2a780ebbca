// How games end in each mode, what the highscore handling is given, and how
// a cleared Puzzle board leads on.
#include "support/game_fixture.h"
#include "support/temp_game_dir.h"

#include "framework/display/KSystemTools.h"
#include "game/board_rules.h"
#include "game/modes.h"

namespace {

struct GameOverCall {
    int count = 0;
    int16_t mode = 0, difficulty = 0;
    int32_t result = 0;
};
GameOverCall gameOverCall;

class GameEnd : public GameTest {
public:
    TempGameDir dir;
    void SetUp() override {
        GameTest::SetUp();
        gameOverCall = {};
        gameHooks.showGameOver = [](int16_t mode, int16_t difficulty, int32_t result) {
            gameOverCall = {gameOverCall.count + 1, mode, difficulty, result};
        };
        settings.onlineScores = 1;
    }
};

TEST_F(GameEnd, NoColourOfThreeEndsTheGameAndHandsOnTheResultOnce) {
    struct Case {
        int16_t mode, difficulty, onlineScores, timeLeft, score;
        int calls;
        int32_t result;
    } cases[] = {
        {TimeAttack, 3, 1, 75, 0, 1, 75},  // the seconds left
        {TopScore, 1, 1, 0, 123, 1, 1230}, // the displayed points
        {TimeAttack, 1, 1, 0, 0, 0, 0},    // timed out: no highscore handling
        {TopScore, 1, 0, 0, 123, 0, 0},    // online scores off: ends quietly
    };
    for (const Case& c : cases) {
        SetUp();
        settings.gameMode = c.mode;
        settings.difficulty = c.difficulty;
        settings.onlineScores = c.onlineScores;
        counters.timeLeft = c.timeLeft;
        counters.score = c.score;
        board.cells = BoardWith({{7, "1234567K."}, {8, "2345671K."}}); // two of each colour
        ScanBoard();
        ScanBoard();
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " time " << c.timeLeft);
        EXPECT_TRUE(counters.gameOver);
        EXPECT_EQ(gameOverCall.count, c.calls);
        if (c.calls) {
            EXPECT_EQ(gameOverCall.mode, c.mode);
            EXPECT_EQ(gameOverCall.difficulty, c.difficulty);
            EXPECT_EQ(gameOverCall.result, c.result);
        }
    }
}

TEST_F(GameEnd, PuzzleEndsAtNoMovesOnlyAfterTheLastLinesVanishedAndBallsFell) {
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 11; // so an empty board reads no file
    counters.movesLeft = 0;
    board.cells = BoardWith({{7, "2........"}, {8, "111.2...."}});
    ScanBoard();
    EXPECT_FALSE(counters.gameOver) << "the last move's line vanishes first";
    ASSERT_TRUE(board.clearing);
    EXPECT_GE(sim.Settle(), 0);
    EXPECT_TRUE(counters.gameOver) << "balls are left and no move";
    EXPECT_EQ(gameOverCall.count, 0) << "Puzzle has no result to submit";

    // A ball left hanging by the last slide falls (into a row of four)
    // before the level can end.
    SetUp();
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 11;
    counters.movesLeft = 1;
    board.cells = BoardWith({{7, "..1......"}, {8, "1.1.....1"}});
    ASSERT_TRUE(sim.Start(BoardMove::SlideRightRow(8)));
    for (int frame = 0; frame < 2000 && !BoardSimulator::Still(); ++frame) {
        sim.Frame();
        ASSERT_FALSE(counters.gameOver && BoardHasBalls()) << frame << "\n" << BoardText(board.cells);
    }
    EXPECT_FALSE(BoardHasBalls());
}

TEST_F(GameEnd, AClearedPuzzleBoardLeadsOnToTheNextLevel) {
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 3;
    std::string next;
    for (int i = 0; i < 81; ++i) next += i == 72 ? "4 " : i == 73 ? "2 " : "1 ";
    dir.Write("gfx/level04.dat", next);
    counters.movesLeft = 1;
    board.cells = BoardWith({{8, "11......1"}});
    ASSERT_TRUE(sim.Play(BoardMove::SlideRightRow(8))); // empties it with the last move
    EXPECT_EQ(counters.puzzleLevel, 4);
    EXPECT_EQ(Played(Cue::Levelup), 1);
    EXPECT_FALSE(counters.gameOver);
    EXPECT_EQ(counters.movesLeft, 4);
    EXPECT_EQ(RowsOf(board.cells)[8], "32.......");

    // An all-empty level is cleared at once.
    std::string empty;
    for (int i = 0; i < 81; ++i) empty += "1\n";
    dir.Write("gfx/level05.dat", empty);
    dir.Write("gfx/level06.dat", "0 0 2\n" + empty.substr(6));
    counters.puzzleLevel = 5;
    SetupGame();
    ScanBoard();
    EXPECT_EQ(counters.puzzleLevel, 6);
    EXPECT_EQ(board.cells[2][0], 2);
}

TEST_F(GameEnd, ClearingTheTenthLevelReachesTheCompletionStateOnce) {
    static int shown;
    shown = 0;
    gameHooks.showCompletionScreen = [] { ++shown; };
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 10;
    board.cells = BoardWith({});
    ScanBoard();
    ScanBoard();
    EXPECT_EQ(counters.puzzleLevel, 11);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(counters.gameOver);
}

TEST_F(GameEnd, AMissingLevelTellsThePlayerAndStaysPut) {
    static std::string message;
    message.clear();
    KSystemTools::SetMessageSink([](const char*, const char* text) { message = text; });
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 2; // no level files in this folder
    SetupGame();
    KSystemTools::SetMessageSink(nullptr);
    EXPECT_NE(message.find("level02.dat"), std::string::npos) << message;
    EXPECT_TRUE(counters.levelUnavailable);
    EXPECT_TRUE(counters.gameOver);
    for (int i = 0; i < 10; ++i) sim.Frame();
    EXPECT_EQ(counters.puzzleLevel, 2) << "an unreadable level is not a cleared one";
}

} // namespace
