// The level source reader: what a well-formed block becomes, and that every
// fault stops it with the file and line to fix.
#include "tools/levels/level_source.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Ten levels, each one ball short of a line on the bottom row. Level n's
// "level" line is line 3 + 11 (n - 1), its solution the line after.
std::string ValidSource() {
    std::string text = "# a comment\n\n";
    for (int n = 1; n <= kPuzzleLevels; ++n) {
        text += "level " + std::to_string(n) + "\nsolution R8\n";
        for (int row = 0; row < 8; ++row)
            text += ".........\n";
        text += "K.....22.\n";
    }
    return text;
}

bool Parse(const std::string& text, std::vector<PuzzleLevel>& levels, std::string& error) {
    std::istringstream in(text);
    return ParseLevelSource(in, "levels.txt", levels, error);
}

// The source with its `line`-th line (from 1) replaced; `lastLine` cuts it.
std::string Edited(int line, const std::string& replacement, int lastLine = 1000) {
    std::istringstream in(ValidSource());
    std::string text, current;
    for (int n = 1; n <= lastLine && std::getline(in, current); ++n)
        text += (n == line ? replacement : current) + "\n";
    return text;
}

TEST(LevelSource, ReadsBoardsRowByRowAndSolutionsMoveByMoveAndWritesWhatItReads) {
    std::vector<PuzzleLevel> levels;
    std::string error;
    ASSERT_TRUE(Parse(Edited(37, "solution L3 CW CCW R0  "), levels, error)) << error;
    ASSERT_EQ(levels.size(), 10u);
    const PuzzleLevel& level = levels[3];
    EXPECT_EQ(level.number, 4);
    EXPECT_EQ(level.cells[0][8], kBlackBall);
    EXPECT_EQ(level.cells[6][8], 2);
    EXPECT_EQ(level.cells[8][8], kEmpty);
    EXPECT_EQ(level.cells[0][7], kEmpty);
    auto names = [](const PuzzleLevel& l) {
        std::string text;
        for (BoardMove move : l.solution)
            text += move.Name() + std::string(" ");
        return text;
    };
    EXPECT_EQ(names(level), "L3 CW CCW R0 ");

    levels[2].cells[4][0] = 7;
    std::string text;
    for (const PuzzleLevel& l : levels)
        text += FormatLevelBlock(l);
    std::vector<PuzzleLevel> again;
    ASSERT_TRUE(Parse(text, again, error)) << error;
    for (int i = 0; i < kPuzzleLevels; ++i) {
        EXPECT_EQ(again[i].cells, levels[i].cells);
        EXPECT_EQ(names(again[i]), names(levels[i]));
    }
}

struct Fault {
    std::string source;
    std::string message;
};

class LevelSourceFault : public testing::TestWithParam<Fault> {};

TEST_P(LevelSourceFault, IsReportedWithItsLine) {
    std::vector<PuzzleLevel> levels;
    std::string error;
    EXPECT_FALSE(Parse(GetParam().source, levels, error));
    EXPECT_EQ(error, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, LevelSourceFault,
    testing::Values(
        Fault{Edited(5, "....x...."),
              "levels.txt:5: unknown cell 'x' (. empty, 1..7 colour, K black)"},
        Fault{Edited(6, "........"), "levels.txt:6: a board row has 9 cells, this one 8"},
        Fault{Edited(4, "solution R8 L8"),
              "levels.txt:4: the solution has 2 moves, level 1 allows 1"},
        Fault{Edited(4, "solution"), "levels.txt:4: the solution lists no move"},
        Fault{Edited(4, ""), "levels.txt:14: level 1 has no solution"},
        Fault{Edited(13, ""), "levels.txt:14: level 1 has 8 board rows, needs 9"},
        Fault{Edited(4, "solution R8\n........."), "levels.txt:14: a tenth board row"},
        Fault{Edited(14, "level 3"), "levels.txt:14: expected \"level 2\""},
        Fault{Edited(3, "........."), "levels.txt:3: board row before the first \"level\" line"},
        Fault{Edited(0, "", 101), "levels.txt:102: the source holds 9 levels, needs 10"},
        Fault{ValidSource() + "level 11\n", "levels.txt:113: there are only ten levels"}));

} // namespace
