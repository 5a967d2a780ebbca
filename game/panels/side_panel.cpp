#include "game/panels/side_panel.h"

#include "framework/display/KGraphic.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/rules/modes.h"
#include "game/panels/help_lines.h"
#include "game/panels/panel_values.h"
#include "game/panels/quick_tutorial.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"

#include <vector>

namespace {

constexpr int kPlaySheet = 6;

// The tutorial's pointer mark in the play-screen sheet.
void DrawMark(KGraphic* sheet, int x, int y) {
    if (sheet) sheet->BlitTransformed(425, 122, 462, 162, x, y, 0, 1, 1, false, false);
}

void DrawTutorialMarks(int page) {
    if (page == 1) { // the two columns of row-slide arrows
        DrawMark(spriteTable[kPlaySheet].image, 155, 225);
        DrawMark(spriteTable[kPlaySheet].image, 590, 225);
    } else if (page == 2) { // beside the two spin buttons
        const ButtonRow& left = buttons.rows[6];
        const ButtonRow& right = buttons.rows[7];
        DrawMark(spriteTable[left.sprite].image, left.dstX + 45, left.dstY);
        DrawMark(spriteTable[right.sprite].image, right.dstX, right.dstY);
    }
}

void DrawHelpLines(KBitmapFont& small, const std::vector<HelpLine>& lines, HintStage stage) {
    for (const HelpLine& line : lines) {
        if (line.stage == stage) small.DrawCentered(line.text, 150, 640, line.y, 0);
    }
}

void DrawCounterBox(KGraphic& fontSheet, KBitmapFont& large) {
    fontSheet.Blit(11, 199, 25, 224, 285, 25, false, false);
    fontSheet.Blit(26, 199, 123, 224, 298, 25, false, false);
    fontSheet.Blit(26, 199, 123, 224, 394, 25, false, false);
    fontSheet.Blit(123, 199, 139, 224, 490, 25, false, false);

    const CounterLine line = CounterLineFor(settings.gameMode, counters.gameOver != 0,
                                            counters.ballsLeft, counters.movesLeft);
    large.DrawCentered(line.label, line.labelLeft, 640, 29, 0);
    if (line.showsCount) large.DrawNumberCentered(line.count, 420, 500, 29, 0);
}

void DrawTicks(KBitmapFont& large, const char* glyph, int16_t volume, int y) {
    const int ticks = VolumeTickCount(volume);
    for (int i = 0; i < ticks; ++i)
        large.DrawText(glyph, 25 + 10 * i, y, 0);
}

void DrawOptions(KGraphic& fontSheet, KBitmapFont& large, KBitmapFont& small) {
    small.DrawCentered("OPTIONS", 0, 148, 113, 0);
    DrawTicks(large, "#", settings.sfxVolume, 150);
    small.DrawCentered("SFX VOLUME", 0, 148, 175, 0);
    DrawTicks(large, "@", settings.musicVolume, 200);
    small.DrawCentered("MUSIC VOLUME", 0, 148, 225, 0);
    fontSheet.Blit(205, 20, static_cast<float>(210 + 18 * settings.gameSpeed), 38, 25, 250, false,
                   false);
    small.DrawCentered("GAME SPEED", 0, 148, 275, 0);
    // The bar the digit keys set, once keys have set one on this screen.
    if (screen.keyBarShown) {
        const int top = 146 + 50 * screen.keyBar;
        DrawKeyFrame(20, top, 130, top + 26);
    }
}

// The mode's box in the top-left corner with its value: the clock, the
// displayed points or the Puzzle level.
void DrawModeBox(KGraphic& fontSheet, KBitmapFont& large) {
    const int mode = settings.gameMode;
    if (mode < TimeAttack || mode > Puzzle) return;
    const float left = static_cast<float>(1 + 151 * (mode - 1));
    fontSheet.Blit(left, 87, left + 150, 192, 0, 0, false, false);
    if (mode == TimeAttack) large.DrawCentered(ClockText(counters.timeLeft).c_str(), 0, 150, 74, 0);
    if (mode == TopScore) large.DrawNumberCentered(counters.score * 10, 0, 150, 74, 0);
    if (mode == Puzzle) large.DrawNumberCentered(counters.puzzleLevel, 0, 150, 74, 0);
}

} // namespace

void DrawPanel() {
    // The frame in which the tutorial ends still shows no button hint.
    if (screen.tutorialRunning) buttons.hoveredButton = 0;
    const TutorialFrame tutorial = StepTutorial(NowStamp());
    // While the tutorial runs the pointer keeps its last position.
    if (!screen.tutorialRunning) {
        buttons.mouseX = KInputState::GetMouseX();
        buttons.mouseY = KInputState::GetMouseY();
    }
    const std::vector<HelpLine> lines = HelpLinesFor(
        {settings.gameMode, buttons.hoveredButton, buttons.mouseX, buttons.mouseY, tutorial.page});

    KBitmapFont* large = resources.largeFont;
    KBitmapFont* small = resources.smallFont;
    KGraphic* fontSheet = large ? large->GetImage() : nullptr;
    if (!large || !small || !fontSheet) {
        TickTimeAttackClock(); // the clock runs even if nothing can be drawn
        return;
    }

    DrawHelpLines(*small, lines, HintStage::Tutorial);
    if (tutorial.marksShown) DrawTutorialMarks(tutorial.page);
    DrawCounterBox(*fontSheet, *large);
    DrawOptions(*fontSheet, *large, *small);
    DrawHelpLines(*small, lines, HintStage::Buttons);
    DrawModeBox(*fontSheet, *large);
    TickTimeAttackClock();
    DrawHelpLines(*small, lines, HintStage::Late);
}
