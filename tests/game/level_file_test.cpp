// Reading Puzzle level files: names, values, short and broken files.
#include "support/game_fixture.h"
#include "support/temp_game_dir.h"

#include "framework/display/KSystemTools.h"
#include "game/level_file.h"

namespace {

// `count` more empty cells, to make a level whole.
std::string Empties(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += " 1";
    return text;
}

class LevelFile : public GameTest {
public:
    TempGameDir dir;
    Board Read(int level, bool expectOk = true) {
        Board b{};
        for (auto& column : b) column.fill(kEmpty);
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
    for (int c = 0; c < 9; ++c) EXPECT_EQ(b[c][0], expected[c]) << c;
    EXPECT_EQ(b[0][1], 1) << "the tenth number starts row 1";

    // Values that stand for no cell become empty.
    dir.Write("gfx/level01.dat", "3 -2 16 99 -1 7 2" + Empties(74));
    b = Read(1);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(b[c][0], kEmpty) << c;
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
    } cases[] = {{"2 4 6", 3}, {"2 4 balls 6 8" + Empties(78), 2}, {"", 0},
                 {"2" + Empties(79), 80}};
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

TEST_F(LevelFile, AMissingFileSaysWhichAndFails) {
    static std::string caption, text;
    KSystemTools::SetMessageSink([](const char* c, const char* t) {
        caption = c;
        text = t;
    });
    Read(7, false);
    EXPECT_FALSE(caption.empty());
    EXPECT_NE(text.find("gfx\\level07.dat"), std::string::npos);
    KSystemTools::SetMessageSink(nullptr);
}

} // namespace
