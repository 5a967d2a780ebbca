// The ten Puzzle levels on the game's own rules: each starts at rest, its
// stored solution of at most N moves, played from the file the build wrote,
// clears it only with its last move and carries the player on to the next
// level, and no short sequence of moves clears it.
#include "framework/display/KSystemTools.h"
#include "game/level_file.h"
#include "game/rules/game_hooks.h"
#include "game/rules/modes.h"
#include "tools/levels/level_source.h"
#include "tools/levels/puzzle_position.h"

#include <gtest/gtest.h>

namespace {

class PuzzleLevels : public testing::TestWithParam<int> {
  protected:
    static void SetUpTestSuite() {
        std::string error;
        if (!ReadLevelSource(ORBOLO_LEVEL_SOURCE, levels, error)) levels.clear();
        ASSERT_EQ(levels.size(), static_cast<size_t>(kPuzzleLevels)) << error;
    }
    void SetUp() override {
        if (levels.size() != kPuzzleLevels) GTEST_FAIL() << "the level source did not load";
    }
    const PuzzleLevel& Level() const { return levels[GetParam() - 1]; }

    static std::vector<PuzzleLevel> levels;
    BoardSimulator sim;
};

std::vector<PuzzleLevel> PuzzleLevels::levels;

TEST_P(PuzzleLevels, StartsAtRest) {
    EXPECT_FALSE(BoardEmpty(Level().cells));
    EXPECT_TRUE(AtRest(sim, Level().cells)) << "a line would vanish or a ball fall at once";
}

// Level 2 takes both its moves; from level 3 on no one or two moves do. The
// same search, started where the solution's last moves remain, must find
// them, or it would prove nothing.
TEST_P(PuzzleLevels, NoShortSequenceClearsIt) {
    const std::vector<BoardMove>& solution = Level().solution;
    const int depth = std::min(Level().number - 1, 2);
    if (depth == 0) GTEST_SKIP() << "level 1 is cleared in one move";
    EXPECT_FALSE(ClearableWithin(sim, Level().cells, depth));

    const int lastMoves = std::min(static_cast<int>(solution.size()), depth);
    std::vector<BoardMove> firstMoves(solution.begin(), solution.end() - lastMoves);
    std::vector<Board> boards = Replay(sim, Level().cells, Level().number, firstMoves);
    ASSERT_EQ(boards.size(), firstMoves.size());
    EXPECT_TRUE(ClearableWithin(sim, boards.empty() ? Level().cells : boards.back(), lastMoves));
}

TEST_P(PuzzleLevels, SolvedFromItsFileLeadsOnToTheNextLevel) {
    KSystemTools::SetModuleDirectoryFrom(ORBOLO_RUNTIME_DIR "/orbolo");
    ResetGameState();
    gameHooks.readLevel = ReadLevelFile;
    settings.gameMode = Puzzle;
    counters.puzzleLevel = static_cast<int16_t>(Level().number);
    SetupGame();
    ASSERT_EQ(board.cells, Level().cells);
    ASSERT_EQ(counters.movesLeft, Level().number);
    ASSERT_LE(Level().solution.size(), static_cast<size_t>(Level().number));
    for (BoardMove move : Level().solution) {
        ASSERT_EQ(counters.puzzleLevel, Level().number) << "cleared before " << move.Name();
        ASSERT_TRUE(sim.Play(move)) << move.Name();
        ASSERT_FALSE(counters.gameOver && counters.puzzleLevel == Level().number) << move.Name();
    }

    EXPECT_EQ(counters.puzzleLevel, Level().number + 1);
    if (Level().number < kPuzzleLevels) {
        EXPECT_FALSE(counters.gameOver);
        EXPECT_EQ(counters.movesLeft, Level().number + 1);
        EXPECT_EQ(board.cells, levels[Level().number].cells);
    } else {
        EXPECT_TRUE(counters.gameOver) << "the completion screen ends the run";
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, PuzzleLevels, testing::Range(1, kPuzzleLevels + 1),
                         [](const testing::TestParamInfo<int>& info) {
                             return "Level" + std::to_string(info.param);
                         });

} // namespace
