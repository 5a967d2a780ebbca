// How games end in each mode, what the highscore handling is given, and how
// a cleared Puzzle board leads on.
#include "support/game_fixture.h"
#include "support/temp_game_dir.h"

#include "game/board_rules.h"
#include "framework/display/KSystemTools.h"
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
    // Two of each colour: no colour has three.
    static Board Thin() {
        return BoardFrom({".........", ".........", ".........", ".........", ".........",
                          ".........", ".........", "1234567K.", "2345671K."});
    }
};

TEST_F(GameEnd, TimeAttackTimeOutEndsWithoutTheHighscoreHandling) {
    settings.gameMode = TimeAttack;
    board.cells = Thin(); // even when no colour has three at the same moment
    counters.timeLeft = 0;
    ScanBoard();
    EXPECT_TRUE(counters.gameOver);
    EXPECT_EQ(gameOverCall.count, 0);
}

TEST_F(GameEnd, NoColourOfThreeHandsOnTheResult) {
    settings.gameMode = TimeAttack;
    settings.difficulty = 3;
    board.cells = Thin();
    counters.timeLeft = 75;
    ScanBoard();
    EXPECT_TRUE(counters.gameOver);
    EXPECT_EQ(gameOverCall.count, 1);
    EXPECT_EQ(gameOverCall.mode, TimeAttack);
    EXPECT_EQ(gameOverCall.difficulty, 3);
    EXPECT_EQ(gameOverCall.result, 75) << "TimeAttack's result is the seconds left";
    ScanBoard();
    EXPECT_EQ(gameOverCall.count, 1) << "only once";

    SetUp();
    settings.gameMode = TopScore;
    settings.difficulty = 1;
    board.cells = Thin();
    counters.score = 123;
    ScanBoard();
    EXPECT_EQ(gameOverCall.result, 1230) << "TopScore's result is the displayed points";
}

TEST_F(GameEnd, WithOnlineScoresOffTheGameEndsQuietly) {
    settings.gameMode = TopScore;
    settings.onlineScores = 0;
    board.cells = Thin();
    ScanBoard();
    EXPECT_TRUE(counters.gameOver);
    EXPECT_EQ(gameOverCall.count, 0);
}

TEST_F(GameEnd, PuzzleEndsAtNoMovesOnlyAfterTheLastLinesVanished) {
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 11; // so an empty board reads no file
    counters.movesLeft = 0;
    board.cells = BoardFrom({".........", ".........", ".........", ".........", ".........",
                             ".........", ".........", "2........", "111.2...."});
    ScanBoard();
    EXPECT_FALSE(counters.gameOver) << "the last move's line vanishes first";
    ASSERT_TRUE(board.clearing);
    EXPECT_GE(sim.Settle(), 0);
    EXPECT_TRUE(counters.gameOver) << "balls are left and no move";
    EXPECT_EQ(gameOverCall.count, 0) << "Puzzle has no result to submit";
}

TEST_F(GameEnd, ABallLeftHangingByTheLastSlideFallsBeforeTheLevelCanEnd) {
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 11; // nothing to load once the board is empty
    counters.movesLeft = 1;
    board.cells = BoardFrom({".........", ".........", ".........", ".........", ".........",
                             ".........", ".........", "..1......", "1.1.....1"});
    ASSERT_TRUE(sim.Start(BoardMove::SlideRightRow(8)));
    for (int frame = 0; frame < 2000 && !BoardSimulator::Still(); ++frame) {
        sim.Frame();
        ASSERT_FALSE(counters.gameOver && BoardHasBalls()) << "frame " << frame << "\n"
                                                           << BoardText(board.cells);
    }
    EXPECT_FALSE(BoardHasBalls()) << "the hanging ball fell into a row of four";
}

TEST_F(GameEnd, APuzzleMoveThatEmptiesTheBoardOnTheLastMoveAdvances) {
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 3;
    std::string next;
    for (int i = 0; i < 81; ++i) next += i == 72 ? "4 " : i == 73 ? "2 " : "1 ";
    dir.Write("gfx/level04.dat", next);
    counters.movesLeft = 1;
    board.cells = BoardFrom({".........", ".........", ".........", ".........", ".........",
                             ".........", ".........", ".........", "11......1"});
    ASSERT_TRUE(sim.Play(BoardMove::SlideRightRow(8)));
    EXPECT_EQ(counters.puzzleLevel, 4);
    EXPECT_EQ(Played(Cue::Levelup), 1);
    EXPECT_FALSE(counters.gameOver);
    EXPECT_EQ(counters.movesLeft, 4);
    EXPECT_EQ(RowsOf(board.cells)[8], "32.......");
}

TEST_F(GameEnd, ClearingTheTenthLevelReachesTheCompletionState) {
    static int shown = 0;
    shown = 0;
    gameHooks.showCompletionScreen = [] { ++shown; };
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 10;
    for (auto& column : board.cells) column.fill(kEmpty);
    ScanBoard();
    EXPECT_EQ(counters.puzzleLevel, 11);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(counters.gameOver);
    ScanBoard();
    EXPECT_EQ(shown, 1) << "no further advance past the last level";
}

TEST_F(GameEnd, AnAllEmptyLevelIsClearedAtOnceAndLeadsToTheNext) {
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 5;
    std::string empty;
    for (int i = 0; i < 81; ++i) empty += "1\n";
    dir.Write("gfx/level05.dat", empty);
    dir.Write("gfx/level06.dat", "0 0 2\n" + empty.substr(6));
    SetupGame();
    ScanBoard();
    EXPECT_EQ(counters.puzzleLevel, 6);
    EXPECT_EQ(board.cells[0][0], 1);
    EXPECT_EQ(board.cells[2][0], 2);
}

TEST_F(GameEnd, AMissingLevelTellsThePlayerAndStaysPut) {
    static std::string message;
    message.clear();
    KSystemTools::SetMessageSink([](const char*, const char* text) { message = text; });
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 2; // no level files in this folder
    SetupGame();
    EXPECT_NE(message.find("level02.dat"), std::string::npos) << message;
    EXPECT_TRUE(counters.levelUnavailable);
    EXPECT_TRUE(counters.gameOver);
    for (int i = 0; i < 10; ++i) sim.Frame();
    EXPECT_EQ(counters.puzzleLevel, 2) << "an unreadable level is not a cleared one";
    KSystemTools::SetMessageSink(nullptr);
}

} // namespace
