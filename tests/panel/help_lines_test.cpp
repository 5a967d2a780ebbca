#include "game/game_state.h"
#include "game/panels/help_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The pointer somewhere that no area hint covers (the lower-left buttons).
constexpr int16_t kNowhereX = 60, kNowhereY = 330;

std::vector<std::string> Texts(const std::vector<HelpLine>& lines) {
    std::vector<std::string> texts;
    for (const HelpLine& line : lines)
        texts.emplace_back(line.text);
    return texts;
}

std::vector<HelpLine> Hovering(int16_t mode, int16_t button) {
    return HelpLinesFor({mode, button, kNowhereX, kNowhereY, 0});
}

std::vector<HelpLine> Pointing(int16_t mode, int16_t x, int16_t y) {
    return HelpLinesFor({mode, 0, x, y, 0});
}

} // namespace

TEST(HelpLines, NothingWithoutButtonOrArea) {
    EXPECT_TRUE(Hovering(TimeAttack, 0).empty());
    EXPECT_TRUE(Hovering(Puzzle, 4).empty()); // rows 4 and 5 are unused on this screen
}

TEST(HelpLines, TutorialButtonLinesEndWithTheKeys) {
    auto lines = Hovering(TopScore, 1);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_STREQ(lines[0].text, "Click this button to view a quick tutorial.");
    EXPECT_EQ(lines[0].y, 415);
    EXPECT_EQ(lines[2].y, 445);
    EXPECT_STREQ(lines[2].text, "page that you can find in the installation folder.");
}

TEST(HelpLines, RestartLinesPerMode) {
    const std::vector<std::string> timeAttack = {
        "Click this button to restart the current game type.",
        "Your time will be reset to zero and the board will", "be filled with random balls again."};
    EXPECT_EQ(Texts(Hovering(TimeAttack, 2)), timeAttack);
    EXPECT_EQ(Texts(Hovering(TopScore, 2))[1],
              "Your score will be reset to zero and the board will");
    const std::vector<std::string> puzzle = {"Click this button to restart the current game type.",
                                             "Your moves left will be reset to default",
                                             "and you can start the puzzle again."};
    EXPECT_EQ(Texts(Hovering(Puzzle, 2)), puzzle);
    // The mode's lines come last, after the clock, at lines 2 and 3.
    auto lines = Hovering(Puzzle, 2);
    EXPECT_EQ(lines[0].stage, HintStage::Buttons);
    EXPECT_EQ(lines[1].stage, HintStage::Late);
    EXPECT_EQ(lines[1].y, 430);
    EXPECT_EQ(lines[2].y, 445);
}

TEST(HelpLines, QuitTwoLinesInEveryMode) {
    for (int16_t mode : {TimeAttack, TopScore, Puzzle}) {
        const std::vector<std::string> quit = {"Click this button to quit the current game and go",
                                               "back to the main menu"};
        EXPECT_EQ(Texts(Hovering(mode, 3)), quit);
    }
}

TEST(HelpLines, SpinLinesPerModeForBothButtons) {
    for (int16_t button : {6, 7}) {
        auto timeAttack = Texts(Hovering(TimeAttack, button));
        ASSERT_EQ(timeAttack.size(), 4u);
        EXPECT_EQ(timeAttack[0], "Use the spin buttons to rotate the whole board");
        EXPECT_EQ(timeAttack[1], "clockwise or counterclockwise. But be careful, each time");
        EXPECT_EQ(timeAttack[2], "you use it, you lose 25 seconds from your time.");
        EXPECT_EQ(timeAttack[3], "If you don't have 25 seconds left you can't use it.");

        auto topScore = Texts(Hovering(TopScore, button));
        ASSERT_EQ(topScore.size(), 4u);
        EXPECT_EQ(topScore[2], "you use it, you lose 100 points.");
        EXPECT_EQ(topScore[3], "If you don't have enough point you can't use it.");

        auto puzzle = Hovering(Puzzle, button);
        ASSERT_EQ(puzzle.size(), 3u); // no fourth line in Puzzle
        EXPECT_STREQ(puzzle[2].text, "you use it, it counts as a move.");
        EXPECT_EQ(puzzle[2].y, 445);
    }
}

TEST(HelpLines, SlideHintHasTwoLinesInTimeAttack) {
    for (int16_t button : {8, 16, 17, 25}) {
        const std::vector<std::string> common = {"Use the left and right button to slide the balls",
                                                 "along the selected row."};
        EXPECT_EQ(Texts(Hovering(TimeAttack, button)), common);

        auto topScore = Texts(Hovering(TopScore, button));
        ASSERT_EQ(topScore.size(), 3u);
        EXPECT_EQ(topScore[2], "For every click, your score is decreased by 10 points.");

        auto puzzle = Texts(Hovering(Puzzle, button));
        ASSERT_EQ(puzzle.size(), 3u);
        EXPECT_EQ(puzzle[2], "Every moves is counted in puzzle mode.");
    }
    EXPECT_TRUE(Hovering(TopScore, 26).empty());
}

TEST(HelpLines, OptionsColumnBoundsAreExclusive) {
    EXPECT_EQ(Pointing(TopScore, 16, 111).size(), 4u);
    EXPECT_EQ(Pointing(TopScore, 149, 299).size(), 4u);
    EXPECT_STREQ(Pointing(TopScore, 60, 200)[0].text,
                 "Click on the Sound Effects or Music volume bar to");
    EXPECT_TRUE(Pointing(TopScore, 15, 200).empty());
    EXPECT_TRUE(Pointing(TopScore, 60, 110).empty());
    EXPECT_TRUE(Pointing(TopScore, 60, 300).empty());
}

TEST(HelpLines, CounterBoxShowsMovesInPuzzleAndBallsOtherwise) {
    auto puzzle = Texts(Pointing(Puzzle, 300, 30));
    ASSERT_EQ(puzzle.size(), 4u);
    EXPECT_EQ(puzzle[0], "This is the number of moves left.");
    EXPECT_EQ(puzzle[2], "you've to restart the level again using the "); // trailing blank kept
    for (int16_t mode : {TimeAttack, TopScore}) {
        auto balls = Texts(Pointing(mode, 499, 49));
        ASSERT_EQ(balls.size(), 4u);
        EXPECT_EQ(balls[0], "This is the number of balls left that will popup");
        EXPECT_EQ(balls[1], "and fall down from the top line each time you ");
    }
    EXPECT_TRUE(Pointing(Puzzle, 270, 30).empty());
    EXPECT_TRUE(Pointing(Puzzle, 300, 50).empty());
}

TEST(HelpLines, BoardRulesOnlyWithNoButtonHovered) {
    auto timeAttack = Texts(Pointing(TimeAttack, 400, 250));
    ASSERT_EQ(timeAttack.size(), 4u);
    EXPECT_EQ(timeAttack[1], "As you clear the table, you earn more time to play.");
    EXPECT_EQ(Texts(Pointing(TopScore, 400, 250))[3], "Black ones give you triple points!");
    EXPECT_EQ(Texts(Pointing(Puzzle, 400, 250))[3], "Think carefully before you click!");
    EXPECT_EQ(Pointing(Puzzle, 400, 250)[0].stage, HintStage::Late);

    // A slide arrow lies inside the board's area: only its own hint shows.
    auto overArrow = Texts(HelpLinesFor({Puzzle, 8, 200, 100, 0}));
    ASSERT_EQ(overArrow.size(), 3u);
    EXPECT_EQ(overArrow[0], "Use the left and right button to slide the balls");
    EXPECT_TRUE(Pointing(Puzzle, 600, 250).empty());
    EXPECT_TRUE(Pointing(Puzzle, 400, 400).empty());
}

TEST(HelpLines, TutorialPagesAndTheTimeLineOnlyInTimeAttack) {
    auto page1 = HelpLinesFor({TopScore, 0, kNowhereX, kNowhereY, 1});
    ASSERT_EQ(page1.size(), 4u);
    EXPECT_STREQ(page1[0].text, "Use the left and right arrow to move the entire");
    EXPECT_STREQ(page1[3].text, "and the counter BALLS LEFT will decrease!");
    EXPECT_EQ(page1[3].stage, HintStage::Tutorial);

    auto page2 = Texts(HelpLinesFor({Puzzle, 0, kNowhereX, kNowhereY, 2}));
    ASSERT_EQ(page2.size(), 4u);
    EXPECT_EQ(page2[2], "clockwise. This is expecially useful when you");

    auto page3 = HelpLinesFor({TimeAttack, 0, kNowhereX, kNowhereY, 3});
    ASSERT_EQ(page3.size(), 4u);
    EXPECT_STREQ(page3[3].text, "You lose also if you run out of time!");
    EXPECT_EQ(page3[3].y, 460);
    for (int16_t mode : {TopScore, Puzzle}) {
        auto lines = Texts(HelpLinesFor({mode, 0, kNowhereX, kNowhereY, 3}));
        const std::vector<std::string> three = {"The game ends when you run out of moves:",
                                                "that means that there aren't anymore 3 balls of",
                                                "the same color on the board."};
        EXPECT_EQ(lines, three);
    }
}
