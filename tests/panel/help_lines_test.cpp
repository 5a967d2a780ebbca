// Which hints show, and where: the hovered button or the area under the
// pointer decides, areas end short of their edges, the mode adds its own
// lines, and no two lines share a row. The texts themselves are data.
#include "game/rules/game_state.h"
#include "game/panels/help_lines.h"

#include <gtest/gtest.h>

#include <set>

TEST(HelpLines, LinesFollowTheSituation) {
    using S = HintStage;
    struct Case {
        HintSituation situation; // mode, hovered button, pointer x, y, tutorial page
        size_t lines;
        HintStage lastStage;
    } cases[] = {
        {{TimeAttack, 0, 60, 330, 0}, 0, S::Buttons}, // nothing under the pointer
        {{Puzzle, 4, 60, 330, 0}, 0, S::Buttons},     // a row unused on this screen
        {{TopScore, 1, 60, 330, 0}, 4, S::Buttons},   // tutorial, then the keys
        {{TimeAttack, 2, 60, 330, 0}, 3, S::Late},    // restart: two lines per mode
        {{Puzzle, 3, 60, 330, 0}, 2, S::Buttons},     // quit
        {{TimeAttack, 6, 60, 330, 0}, 4, S::Late},    // spin: the cost line
        {{Puzzle, 7, 60, 330, 0}, 3, S::Late},        // a move, no cost line
        {{TimeAttack, 8, 60, 330, 0}, 2, S::Buttons}, // slide: free in TimeAttack
        {{Puzzle, 16, 60, 330, 0}, 3, S::Late},
        {{TopScore, 26, 60, 330, 0}, 0, S::Buttons},
        {{TopScore, 0, 16, 111, 0}, 4, S::Buttons}, // options column, just inside
        {{TopScore, 0, 149, 299, 0}, 4, S::Buttons},
        {{TopScore, 0, 15, 200, 0}, 0, S::Buttons}, // on its edges
        {{TopScore, 0, 60, 300, 0}, 0, S::Buttons},
        {{Puzzle, 0, 300, 30, 0}, 4, S::Buttons}, // counter box
        {{TimeAttack, 0, 499, 49, 0}, 4, S::Buttons},
        {{Puzzle, 0, 270, 30, 0}, 0, S::Buttons},
        {{TimeAttack, 0, 400, 250, 0}, 4, S::Late}, // the board's rules
        {{Puzzle, 8, 200, 100, 0}, 3, S::Late},     // an arrow over the board: its own hint
        {{Puzzle, 0, 600, 250, 0}, 0, S::Buttons},
        {{TopScore, 0, 60, 330, 1}, 4, S::Tutorial},   // tutorial pages
        {{TimeAttack, 0, 60, 330, 3}, 4, S::Tutorial}, // plus the time line
        {{TopScore, 0, 60, 330, 3}, 3, S::Tutorial},
    };
    for (const Case& c : cases) {
        const HintSituation& s = c.situation;
        SCOPED_TRACE(testing::Message()
                     << "mode " << s.gameMode << " button " << s.hoveredButton << " at " << s.mouseX
                     << "," << s.mouseY << " page " << s.tutorialPage);
        auto lines = HelpLinesFor(s);
        ASSERT_EQ(lines.size(), c.lines);
        if (lines.empty()) continue;
        EXPECT_EQ(lines.back().stage, c.lastStage);
        std::set<int16_t> rows;
        for (const HelpLine& line : lines) {
            EXPECT_TRUE(line.text && *line.text);
            EXPECT_TRUE(rows.insert(line.y).second) << "two lines on row " << line.y;
            EXPECT_EQ(std::set<int16_t>(kHelpLineY, kHelpLineY + 4).count(line.y), 1u);
        }
        EXPECT_EQ(lines.front().y, kHelpLineY[0]);
    }
}
