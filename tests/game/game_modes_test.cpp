// Games in each mode: setting up and restarting, the TimeAttack clock, how
// games end and what the highscore handling is given, how a cleared Puzzle
// board leads on, and the level and preferences files they read.
#include "support/game_fixture.h"

#include "framework/display/KSystemTools.h"
#include "game/rules/board_rules.h"
#include "game/level_file.h"
#include "game/rules/modes.h"
#include "game/preferences.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A throw-away folder standing where the executable lives, so the game's own
// path joining finds the files a test writes there.
class TempGameDir {
  public:
    TempGameDir() : root(fs::temp_directory_path() / ("orbolo-test-" + std::to_string(getpid()))) {
        fs::create_directories(root / "gfx");
        KSystemTools::SetModuleDirectoryFrom((root / "orbolo").c_str());
    }
    ~TempGameDir() {
        fs::remove_all(root);
        KSystemTools::InitModuleDirectory();
    }
    void Write(const std::string& relative, const std::string& content) const {
        fs::create_directories((root / relative).parent_path());
        std::ofstream(root / relative, std::ios::binary) << content;
    }
    const fs::path root;
};

struct GameOverCall {
    int count = 0;
    int16_t mode = 0, difficulty = 0;
    int32_t result = 0;
};
GameOverCall gameOverCall;

// Levels 1 to 10 on file (81 values, a 2 in column 4), game results recorded.
class Game : public GameTest {
  public:
    TempGameDir dir;
    void SetUp() override {
        GameTest::SetUp();
        std::string level;
        for (int i = 0; i < 81; ++i)
            level += (i % 9 == 4) ? "2 " : "1 ";
        for (int n = 1; n <= 10; ++n)
            dir.Write("gfx/level0" + std::to_string(n) + ".dat", level);
        gameOverCall = {};
        gameHooks.showGameOver = [](int16_t mode, int16_t difficulty, int32_t result) {
            gameOverCall = {gameOverCall.count + 1, mode, difficulty, result};
        };
        settings.onlineScores = 1;
    }
};
using NewGame = Game;
using GameEnd = Game;

TEST_F(NewGame, EachModeAndDifficultyStartsItsCounters) {
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

TEST_F(NewGame, RestartKeepsTheSettingsAndThePuzzleLevelAndShowsTheCompletionAgain) {
    settings = {
        .gameMode = Puzzle, .difficulty = 3, .gameSpeed = 5, .sfxVolume = 12, .musicVolume = 34};
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

TEST_F(NewGame, TheTimeAttackClockTicksOncePerMoreThanASecond) {
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
        ASSERT_FALSE(counters.gameOver && BoardHasBalls()) << frame << "\n"
                                                           << BoardText(board.cells);
    }
    EXPECT_FALSE(BoardHasBalls());
}

// Solving each level and going on to the next is played by puzzle_levels_test.
TEST_F(GameEnd, AnAllEmptyLevelIsClearedAtOnceWithTheLevelUpChime) {
    settings.gameMode = Puzzle;
    std::string empty;
    for (int i = 0; i < 81; ++i)
        empty += "1\n";
    dir.Write("gfx/level05.dat", empty);
    dir.Write("gfx/level06.dat", "0 0 2\n" + empty.substr(6));
    counters.puzzleLevel = 5;
    SetupGame();
    ScanBoard();
    EXPECT_EQ(counters.puzzleLevel, 6);
    EXPECT_EQ(board.cells[2][0], 2);
    EXPECT_EQ(Played(Cue::Levelup), 1);
    EXPECT_FALSE(counters.gameOver);
}

TEST_F(GameEnd, AMissingLevelTellsThePlayerAndStaysPut) {
    static std::string message;
    message.clear();
    KSystemTools::SetMessageSink([](const char*, const char* text) { message = text; });
    settings.gameMode = Puzzle;
    counters.puzzleLevel = 2;
    fs::remove(dir.root / "gfx/level02.dat");
    SetupGame();
    KSystemTools::SetMessageSink(nullptr);
    EXPECT_NE(message.find("level02.dat"), std::string::npos) << message;
    EXPECT_TRUE(counters.levelUnavailable);
    EXPECT_TRUE(counters.gameOver);
    for (int i = 0; i < 10; ++i)
        sim.Frame();
    EXPECT_EQ(counters.puzzleLevel, 2) << "an unreadable level is not a cleared one";
}

// `count` more empty cells, to make a level whole.
std::string Empties(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += " 1";
    return text;
}

class LevelFile : public Game {
  public:
    Board Read(int level, bool expectOk = true) {
        Board b{};
        for (auto& column : b)
            column.fill(kEmpty);
        EXPECT_EQ(ReadLevelFile(level, b), expectOk);
        return b;
    }
};

TEST_F(LevelFile, NamesKeepTheirZeroAndValuesMapToCellsRowByRow) {
    EXPECT_EQ(LevelFileName(1), "gfx\\level01.dat");
    EXPECT_EQ(LevelFileName(10), "gfx\\level010.dat");
    dir.Write("gfx/level010.dat", "14" + Empties(80));
    EXPECT_EQ(Read(10)[0][0], kBlackBall);

    // Row 0: every value of the table in order; any white space between.
    dir.Write("gfx/level01.dat", "1 0\t2\n4  6 8 10\r\n12 14\n 0" + Empties(71));
    Board b = Read(1);
    const int16_t expected[9] = {kEmpty, 1, 2, 3, 4, 5, 6, 7, kBlackBall};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(b[c][0], expected[c]) << c;
    EXPECT_EQ(b[0][1], 1) << "the tenth number starts row 1";

    // Values that stand for no cell become empty.
    dir.Write("gfx/level01.dat", "3 -2 16 99 -1 7 2" + Empties(74));
    b = Read(1);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(b[c][0], kEmpty) << c;
    EXPECT_EQ(b[6][0], 2);
}

// A level is played only whole: otherwise the file is named with what it
// lacks and the board is left as it was.
TEST_F(LevelFile, ShortAndGarbledFilesAreRefusedAndNamed) {
    static std::string text;
    KSystemTools::SetMessageSink([](const char*, const char* t) { text = t; });
    const struct {
        std::string content;
        int values;
    } cases[] = {
        {"2 4 6", 3}, {"2 4 balls 6 8" + Empties(78), 2}, {"", 0}, {"2" + Empties(79), 80}};
    for (const auto& c : cases) {
        dir.Write("gfx/level03.dat", c.content);
        text.clear();
        Board b = Read(3, false);
        EXPECT_EQ(b[0][0], kEmpty) << c.content;
        EXPECT_EQ(text, "The puzzle level file gfx\\level03.dat is damaged: only " +
                            std::to_string(c.values) + " of its 81 numbers could be read.");
    }
    KSystemTools::SetMessageSink(nullptr);
}

std::string Le(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    return {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
}

// The installed file (when no player's own one exists) and the player's own;
// one of another size than 8 bytes is named on stderr.
TEST(Preferences, FieldsAreReadLittleEndianOnlyWhenWholeAndAPlayersOwnFileWins) {
    TempGameDir dir;
    setenv("XDG_CONFIG_HOME", (dir.root / "config").c_str(), 1);
    const std::string none = "none"; // no such file
    struct Case {
        std::string installed, own;
        int32_t windowed, onlineScores;
    } cases[] = {{none, none, 1, 0},
                 {"", none, 1, 0}, // no file or no bytes: windowed
                 {Le(0).substr(0, 3), none, 1, 0},
                 {Le(0), none, 0, 0},                      // four bytes: the window mode only
                 {Le(0) + Le(1).substr(0, 2), none, 0, 0}, // part of a field sets nothing
                 {Le(2) + Le(-1) + "x", none, 2, -1},
                 {Le(0x01000000) + Le(0x100), none, 0x01000000, 0x100},
                 {Le(1) + Le(0), Le(0) + Le(1), 0, 1},
                 {Le(0) + Le(1), "", 1, 0}}; // an empty own file still wins
    for (const Case& c : cases) {
        ResetGameState();
        for (auto [name, bytes] : {std::pair{"prefs", c.installed}, {"config/orbolo/prefs", c.own}})
            bytes == none ? (void)fs::remove(dir.root / name) : dir.Write(name, bytes);
        testing::internal::CaptureStderr();
        ReadPreferences();
        // A file of the wrong size is named; it still reads as above.
        const std::string said = testing::internal::GetCapturedStderr();
        const std::string& read = c.own != none ? c.own : c.installed;
        EXPECT_EQ(read != none && read.size() != 8, said.find(" bytes, not 8: ") != said.npos)
            << said;
        EXPECT_EQ(settings.windowed, c.windowed) << c.installed.size() << " + " << c.own.size();
        EXPECT_EQ(settings.onlineScores, c.onlineScores)
            << c.installed.size() << " + " << c.own.size();
    }
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
