// Line search and scoring: what each line earns, which balls vanish.
#include "support/game_fixture.h"

#include "game/board_rules.h"

namespace {

class Scoring : public GameTest {
public:
    void SetUp() override {
        GameTest::SetUp();
        settings.gameMode = TopScore;
        counters.score = 0;
        counters.timeLeft = 0;
    }
    // A board with only `rows` given, the rest of the rows empty.
    void Scan(const std::vector<std::string>& rows) {
        board.cells = BoardFrom(rows);
        // Keep the game-end test out of the way: a spare stock of colour 7
        // balls in the top row corners keeps "some colour has three" true.
        ScanBoard();
    }
    int Vanishing() const {
        int n = 0;
        for (const auto& column : board.cells)
            for (int16_t cell : column) n += (cell == kVanishing);
        return n;
    }
};

const std::string kFiller = "7.7.7.7.7"; // four 7s, no line

TEST_F(Scoring, LinesOfThreeToSixEarnTheirTable) {
    struct Case {
        std::string row;
        int score, time, vanish;
    } cases[] = {
        {"..111....", 6, 3, 3},
        {"..1111...", 24, 12, 4},
        {"..11111..", 60, 30, 5},
        {"..111111.", 120, 60, 6}, // (L - 2) finds x L(L - 1) points
    };
    for (const auto& c : cases) {
        SetUp();
        Scan({kFiller, ".........", ".........", ".........", c.row, ".........", ".........",
              ".........", "........."});
        EXPECT_EQ(counters.score, c.score) << c.row;
        EXPECT_EQ(counters.timeLeft, c.time) << c.row;
        EXPECT_EQ(Vanishing(), c.vanish) << c.row;
        EXPECT_TRUE(board.clearing);
        // Each inner cell finds the line once, and each find plays the chime.
        EXPECT_EQ(Played(Cue::Clear), static_cast<int>(c.row.find_last_of('1') - c.row.find('1')) - 1);
    }
}

TEST_F(Scoring, BlackBallsEarnByPlace) {
    // Three black: 6 + 6 x (0 + 1 + 2) = 24 points, 3 + 2 x 3 = 9 seconds.
    Scan({kFiller, ".........", "...KKK...", ".........", ".........", ".........", ".........",
          ".........", "........."});
    EXPECT_EQ(counters.score, 24);
    EXPECT_EQ(counters.timeLeft, 9);

    // Four black, found twice: 2 x (12 + 6 x 6) points, 2 x (6 + 2 x 6) seconds.
    SetUp();
    Scan({kFiller, ".........", ".KKKK....", ".........", ".........", ".........", ".........",
          ".........", "........."});
    EXPECT_EQ(counters.score, 96);
    EXPECT_EQ(counters.timeLeft, 36);
}

TEST_F(Scoring, CrossingLinesScoreBothAndShareTheBall) {
    // An L in the top-left corner: both lines score, the corner vanishes once.
    Scan({"111......", "1........", "1.....777", ".........", ".........", ".........",
          ".........", ".........", "........."});
    EXPECT_EQ(counters.score, 6 + 6 + 6); // the L's two lines and the row of 7s
    EXPECT_EQ(Vanishing(), 5 + 3);

    // A plus sign: the centre is in both lines.
    SetUp();
    Scan({kFiller, ".........", ".........", "....2....", "...222...", "....2....", ".........",
          ".........", "........."});
    EXPECT_EQ(counters.score, 12);
    EXPECT_EQ(counters.timeLeft, 6);
    EXPECT_EQ(Vanishing(), 5);
}

TEST_F(Scoring, LinesAlongEveryEdgeAreFound) {
    Scan({"333......", ".........", ".........", ".........", "4.......5", "4.......5",
          "4.......5", ".........", "......666"});
    EXPECT_EQ(counters.score, 4 * 6);
    EXPECT_EQ(Vanishing(), 12);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(board.cells[c][0], kVanishing);
    for (int c = 6; c < 9; ++c) EXPECT_EQ(board.cells[c][8], kVanishing);
    for (int r = 4; r < 7; ++r) {
        EXPECT_EQ(board.cells[0][r], kVanishing);
        EXPECT_EQ(board.cells[8][r], kVanishing);
    }
}

TEST_F(Scoring, TwoOfAColourAcrossTheWrapIsNoLine) {
    // The board does not wrap for lines: only slides wrap.
    Scan({kFiller, "11.....11", ".........", ".........", ".........", ".........",
          ".........", ".........", "........."});
    EXPECT_EQ(counters.score, 0);
    EXPECT_FALSE(board.clearing);
}

TEST_F(Scoring, EmptyCellsNeverMakeALine) {
    Scan({kFiller, ".........", ".........", ".........", ".........", ".........", ".........",
          ".........", "........."});
    EXPECT_EQ(counters.score, 0);
    EXPECT_EQ(Vanishing(), 0);
}

} // namespace
