// The level files as the game reads them: every cell code survives the
// writer and the game's reader, and the files the build wrote hold the
// boards of the level source.
#include "framework/display/KSystemTools.h"
#include "game/level_file.h"
#include "tools/levels/level_file_text.h"
#include "tools/levels/level_source.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelFileText, EveryCellCodeComesBackThroughTheGamesReader) {
    for (int16_t cell : {kEmpty, int16_t{1}, int16_t{2}, int16_t{3}, int16_t{4}, int16_t{5},
                         int16_t{6}, int16_t{7}, kBlackBall})
        EXPECT_EQ(LevelValueToCell(CellToLevelValue(cell)), cell) << "cell code " << cell;
}

TEST(LevelFileText, WritesRowsTopFirstAndColumnsLeftToRight) {
    Board cells;
    for (auto& column : cells)
        column.fill(kEmpty);
    cells[8][0] = kBlackBall; // top right
    cells[0][8] = 1;          // bottom left
    const std::string text = LevelFileText(cells);
    EXPECT_EQ(text.substr(0, 18), "1 1 1 1 1 1 1 1 14");
    EXPECT_EQ(text.substr(text.size() - 18), "0 1 1 1 1 1 1 1 1\n");
}

TEST(GeneratedLevelFiles, HoldTheBoardsOfTheLevelSource) {
    std::vector<PuzzleLevel> levels;
    std::string error;
    ASSERT_TRUE(ReadLevelSource(ORBOLO_LEVEL_SOURCE, levels, error)) << error;
    KSystemTools::SetModuleDirectoryFrom(ORBOLO_RUNTIME_DIR "/orbolo");
    for (const PuzzleLevel& level : levels) {
        Board cells;
        for (auto& column : cells)
            column.fill(kEmpty);
        ASSERT_TRUE(ReadLevelFile(level.number, cells)) << LevelFileName(level.number);
        EXPECT_EQ(cells, level.cells) << LevelFileName(level.number);
    }
}

} // namespace
