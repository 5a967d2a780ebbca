// Line search and scoring: what each line earns, which balls vanish.
#include "support/game_fixture.h"

#include "game/board_rules.h"

namespace {

class Scoring : public GameTest {
public:
    // Scans a board of the given rows in TopScore from nothing. Four 7s in
    // the top row, no line, keep "some colour has three" true.
    void Scan(std::vector<std::pair<int, std::string>> rows, bool filler = true) {
        GameTest::SetUp();
        settings.gameMode = TopScore;
        counters.score = 0;
        counters.timeLeft = 0;
        if (filler) rows.insert(rows.begin(), {0, "7.7.7.7.7"});
        board.cells = BoardWith(rows);
        ScanBoard();
    }
    int Vanishing() const {
        int n = 0;
        for (const auto& column : board.cells)
            for (int16_t cell : column) n += (cell == kVanishing);
        return n;
    }
};

TEST_F(Scoring, EachBoardEarnsItsPointsAndSecondsAndClearsItsLines) {
    struct Case {
        std::vector<std::pair<int, std::string>> rows;
        bool filler;
        int score, time, vanish;
    } cases[] = {
        // (L - 2) finds x L(L - 1) points for a line of L.
        {{{4, "..111...."}}, true, 6, 3, 3},
        {{{4, "..1111..."}}, true, 24, 12, 4},
        {{{4, "..11111.."}}, true, 60, 30, 5},
        {{{4, "..111111."}}, true, 120, 60, 6},
        // Black balls earn by place: three give 6 + 6 x (0 + 1 + 2) points
        // and 3 + 2 x 3 seconds; four are found twice.
        {{{2, "...KKK..."}}, true, 24, 9, 3},
        {{{2, ".KKKK...."}}, true, 96, 36, 4},
        // Crossing lines both score and share the ball: an L in the corner
        // (with a row of 7s), and a plus sign.
        {{{0, "111......"}, {1, "1........"}, {2, "1.....777"}}, false, 18, 9, 8},
        {{{3, "....2...."}, {4, "...222..."}, {5, "....2...."}}, true, 12, 6, 5},
        // The board does not wrap for lines (only slides wrap); empty cells
        // never make one.
        {{{1, "11.....11"}}, true, 0, 0, 0},
        {{}, true, 0, 0, 0},
        // Lines along every edge (last: checked below).
        {{{0, "333......"}, {4, "4.......5"}, {5, "4.......5"}, {6, "4.......5"}, {8, "......666"}},
         false, 24, 12, 12},
    };
    for (const Case& c : cases) {
        Scan(c.rows, c.filler);
        SCOPED_TRACE(BoardText(board.cells));
        EXPECT_EQ(counters.score, c.score);
        EXPECT_EQ(counters.timeLeft, c.time);
        EXPECT_EQ(Vanishing(), c.vanish);
        EXPECT_EQ(board.clearing != 0, c.vanish > 0);
    }
    // Lines along the edges vanish where they lie.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(board.cells[i][0], kVanishing);
        EXPECT_EQ(board.cells[6 + i][8], kVanishing);
        EXPECT_EQ(board.cells[0][4 + i], kVanishing);
        EXPECT_EQ(board.cells[8][4 + i], kVanishing);
    }
}

TEST_F(Scoring, EachInnerCellOfALineFindsItOnceAndEachFindChimes) {
    for (int length = 3; length <= 6; ++length) {
        Scan({{4, std::string(length, '1') + std::string(9 - length, '.')}});
        EXPECT_EQ(Played(Cue::Clear), length - 2) << length;
    }
}

} // namespace
