// Which help lines the side panel shows along the bottom edge, and where.
// Pure: the situation goes in, the lines come out; drawing is elsewhere.
#pragma once
#include <cstdint>
#include <vector>

// The four help line positions, y of the glyph tops.
constexpr int16_t kHelpLineY[4] = {415, 430, 445, 460};

// When in the panel's frame a line is drawn: the tutorial page first, the
// button, options and counter hints after the options column, and the board
// hint with the mode-specific lines after the clock.
enum class HintStage { Tutorial, Buttons, Late };

struct HelpLine {
    const char* text;
    int16_t y;
    HintStage stage;
};

struct HintSituation {
    int16_t gameMode;
    int16_t hoveredButton; // 0 while the tutorial runs
    int16_t mouseX, mouseY;
    int tutorialPage; // 1..3 while a tutorial page shows, else 0
};

// Every line to draw this frame, in drawing order.
std::vector<HelpLine> HelpLinesFor(const HintSituation& situation);
