#include "game/panels/help_lines.h"

#include "game/buttons.h"

#include "game/rules/game_state.h"

#include <array>

namespace {

using Lines = std::array<const char*, 4>; // nullptr: no line there

constexpr std::array<Lines, 3> kTutorialPages = {{
    {"Use the left and right arrow to move the entire", "row of balls on the board.",
     "As you clear them, new one will drop from the top,",
     "and the counter BALLS LEFT will decrease!"},
    {"Use the top left and top right arrows to", "rotate the whole board clockwise or counter",
     "clockwise. This is expecially useful when you", "have only a few balls left on the board!"},
    {"The game ends when you run out of moves:", "that means that there aren't anymore 3 balls of",
     "the same color on the board.", nullptr},
}};
constexpr const char* kTutorialTimeLine = "You lose also if you run out of time!";

constexpr Lines kTutorialHint = {"Click this button to view a quick tutorial.",
                                 "Remember that there's also a detailed help HTML",
                                 "page that you can find in the installation folder.",
                                 "Keys: T tutorial, R restart, M menu, Q/E turn, arrows slide."};
constexpr Lines kRestartHint = {"Click this button to restart the current game type.", nullptr,
                                nullptr, nullptr};
constexpr Lines kQuitHint = {"Click this button to quit the current game and go",
                             "back to the main menu", nullptr, nullptr};
constexpr Lines kSpinHint = {"Use the spin buttons to rotate the whole board",
                             "clockwise or counterclockwise. But be careful, each time", nullptr,
                             nullptr};
constexpr Lines kSlideHint = {"Use the left and right button to slide the balls",
                              "along the selected row.", nullptr, nullptr};
constexpr Lines kOptionsHint = {
    "Click on the Sound Effects or Music volume bar to", "adjust the sound volume.",
    "Click on the Game Speed bar to make the game run", "faster or slower."};
constexpr Lines kMovesHint = {
    "This is the number of moves left.", "If you don't clear the board within this number",
    "you've to restart the level again using the ", "restart button on the left."};
constexpr Lines kBallsHint = {"This is the number of balls left that will popup",
                              "and fall down from the top line each time you ",
                              "clear 3 balls. They will require that you clear",
                              "the board a bit before they appear."};

// Per mode, in the order TimeAttack, TopScore, Puzzle.
constexpr std::array<Lines, 3> kRestartModeLines = {{
    {nullptr, "Your time will be reset to zero and the board will",
     "be filled with random balls again.", nullptr},
    {nullptr, "Your score will be reset to zero and the board will",
     "be filled with random balls again.", nullptr},
    {nullptr, "Your moves left will be reset to default", "and you can start the puzzle again.",
     nullptr},
}};
constexpr std::array<Lines, 3> kSpinModeLines = {{
    {nullptr, nullptr, "you use it, you lose 25 seconds from your time.",
     "If you don't have 25 seconds left you can't use it."},
    {nullptr, nullptr, "you use it, you lose 100 points.",
     "If you don't have enough point you can't use it."},
    {nullptr, nullptr, "you use it, it counts as a move.", nullptr},
}};
constexpr std::array<Lines, 3> kSlideModeLines = {{
    {nullptr, nullptr, nullptr, nullptr},
    {nullptr, nullptr, "For every click, your score is decreased by 10 points.", nullptr},
    {nullptr, nullptr, "Every moves is counted in puzzle mode.", nullptr},
}};
constexpr std::array<Lines, 3> kBoardHints = {{
    {"Align 3 or more balls of same color to clear them.",
     "As you clear the table, you earn more time to play.",
     "Try to make the best time using all the balls left.",
     "New balls will come down from the top regularly."},
    {"Align 3 or more balls of same color to clear them.",
     "Clearing balls gives you points: if you clear more than",
     "3 at time you get awarded some extra points.", "Black ones give you triple points!"},
    {"Align 3 or more balls of same color to clear them.",
     "In the puzzle mode, you have to clear all the board",
     "within the maximum number of moves allowed.", "Think carefully before you click!"},
}};

void Add(std::vector<HelpLine>& out, const Lines& lines, HintStage stage) {
    for (int i = 0; i < 4; ++i) {
        if (lines[i]) out.push_back({lines[i], kHelpLineY[i], stage});
    }
}

bool ValidMode(int16_t mode) {
    return mode >= TimeAttack && mode <= Puzzle;
}

bool Inside(int x, int y, int left, int top, int right, int bottom) {
    return x > left && x < right && y > top && y < bottom; // all bounds exclusive
}

} // namespace

std::vector<HelpLine> HelpLinesFor(const HintSituation& s) {
    std::vector<HelpLine> out;
    const int button = s.hoveredButton;
    const bool spin = IsSpinButton(button);
    const bool slide = IsSlideButton(button);

    if (s.tutorialPage >= 1 && s.tutorialPage <= 3) {
        Add(out, kTutorialPages[s.tutorialPage - 1], HintStage::Tutorial);
        if (s.tutorialPage == 3 && s.gameMode == TimeAttack)
            out.push_back({kTutorialTimeLine, kHelpLineY[3], HintStage::Tutorial});
    }

    if (button == TutorialButton) Add(out, kTutorialHint, HintStage::Buttons);
    if (button == RestartButton) Add(out, kRestartHint, HintStage::Buttons);
    if (button == QuitGameButton) Add(out, kQuitHint, HintStage::Buttons);
    if (spin) Add(out, kSpinHint, HintStage::Buttons);
    if (slide) Add(out, kSlideHint, HintStage::Buttons);

    if (Inside(s.mouseX, s.mouseY, 15, 110, 150, 300)) Add(out, kOptionsHint, HintStage::Buttons);
    if (Inside(s.mouseX, s.mouseY, 270, 10, 500, 50))
        Add(out, s.gameMode == Puzzle ? kMovesHint : kBallsHint, HintStage::Buttons);

    if (!ValidMode(s.gameMode)) return out;
    const int mode = s.gameMode - 1;
    if (button == 0 && Inside(s.mouseX, s.mouseY, 150, 110, 600, 400))
        Add(out, kBoardHints[mode], HintStage::Late);
    if (button == RestartButton) Add(out, kRestartModeLines[mode], HintStage::Late);
    if (spin) Add(out, kSpinModeLines[mode], HintStage::Late);
    if (slide) Add(out, kSlideModeLines[mode], HintStage::Late);
    return out;
}
