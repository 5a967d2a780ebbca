// Reading Puzzle level files: names, values, short and broken files.
#include "support/game_fixture.h"
#include "support/temp_game_dir.h"

#include "framework/display/KSystemTools.h"
#include "game/level_file.h"

namespace {

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
    dir.Write("gfx/level010.dat", "14");
    EXPECT_EQ(Read(10)[0][0], kBlackBall);

    // Row 0: every value of the table in order; any white space between.
    dir.Write("gfx/level01.dat", "1 0\t2\n4  6 8 10\r\n12 14\n 0");
    Board b = Read(1);
    const int16_t expected[9] = {kEmpty, 1, 2, 3, 4, 5, 6, 7, kBlackBall};
    for (int c = 0; c < 9; ++c) EXPECT_EQ(b[c][0], expected[c]) << c;
    EXPECT_EQ(b[0][1], 1) << "the tenth number starts row 1";

    // Values that stand for no cell become empty.
    dir.Write("gfx/level01.dat", "3 -2 16 99 -1 7 2");
    b = Read(1);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(b[c][0], kEmpty) << c;
    EXPECT_EQ(b[6][0], 2);
}

TEST_F(LevelFile, ShortFilesAndGarbageKeepWhatWasRead) {
    dir.Write("gfx/level01.dat", "2 4 6");
    Board b = Read(1);
    EXPECT_EQ(b[2][0], 4);
    EXPECT_EQ(b[3][0], kEmpty);
    EXPECT_EQ(b[8][8], kEmpty);

    dir.Write("gfx/level01.dat", "2 4 balls 6 8");
    b = Read(1);
    EXPECT_EQ(b[1][0], 3);
    EXPECT_EQ(b[2][0], kEmpty) << "reading stops at the text";

    dir.Write("gfx/level01.dat", "");
    EXPECT_EQ(Read(1)[0][0], kEmpty);
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
