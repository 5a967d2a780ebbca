#include "game/panels/side_panel.h"

#include "framework/display/KGraphic.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/rules/modes.h"
#include "game/panels/help_lines.h"
#include "game/panels/key_hint.h"
#include "game/panels/panel_values.h"
#include "game/panels/quick_tutorial.h"
#include "game/screen_state.h"
#include "game/sheet_draw.h"
#include "game/sprite_table.h"

#include <vector>

namespace {

using namespace layout;

// The tutorial's pointer marks, from the play-screen sheet.
void DrawMarks(const Point (&at)[2]) {
    KGraphic* sheet = spriteTable[kPlaySprite].image;
    if (!sheet) return;
    const Rect r = kTutorialMark;
    for (Point p : at)
        sheet->BlitTransformed(r.x1, r.y1, r.x2, r.y2, static_cast<int16_t>(p.x),
                               static_cast<int16_t>(p.y), 0, 1, 1, false, false);
}

void DrawTutorialMarks(int page) {
    if (page == 1) DrawMarks(kTutorialArrowMarksAt);
    if (page == 2) DrawMarks(kTutorialSpinMarksAt);
}

void DrawHelpLines(KBitmapFont& small, const std::vector<HelpLine>& lines, HintStage stage) {
    for (const HelpLine& line : lines) {
        if (line.stage == stage) small.DrawCentered(line.text, 150, 640, line.y, 0);
    }
}

void DrawCounterBox(KGraphic& fontSheet, KBitmapFont& large) {
    BlitPiece(fontSheet, kCounterLeft, kCounterLeftAt);
    for (Point at : kCounterMiddleAt)
        BlitPiece(fontSheet, kCounterMiddle, at);
    BlitPiece(fontSheet, kCounterRight, kCounterRightAt);

    const CounterLine line = CounterLineFor(settings.gameMode, counters.gameOver != 0,
                                            counters.ballsLeft, counters.movesLeft);
    large.DrawCentered(line.label, line.labelLeft, 640, 29, 0);
    if (line.showsCount) large.DrawNumberCentered(line.count, 420, 500, 29, 0);
}

void DrawTicks(KBitmapFont& large, const char* glyph, int16_t volume, int y) {
    const int ticks = VolumeTickCount(volume);
    for (int i = 0; i < ticks; ++i)
        large.DrawText(glyph, kTicksX + 10 * i, y, 0);
}

void DrawOptions(KGraphic& fontSheet, KBitmapFont& large, KBitmapFont& small) {
    small.DrawCentered("OPTIONS", 0, 148, 113, 0);
    DrawTicks(large, "#", settings.sfxVolume, kSfxTicksY);
    small.DrawCentered("SFX VOLUME", 0, 148, 175, 0);
    DrawTicks(large, "@", settings.musicVolume, kMusicTicksY);
    small.DrawCentered("MUSIC VOLUME", 0, 148, 225, 0);
    BlitPiece(fontSheet, speedBar(settings.gameSpeed), kSpeedBarAt);
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
    BlitPiece(fontSheet, modeBox(mode), kModeBoxAt);
    const int y = kModeValueY;
    if (mode == TimeAttack) large.DrawCentered(ClockText(counters.timeLeft).c_str(), 0, 150, y, 0);
    if (mode == TopScore) large.DrawNumberCentered(counters.score * 10, 0, 150, y, 0);
    if (mode == Puzzle) large.DrawNumberCentered(counters.puzzleLevel, 0, 150, y, 0);
}

} // namespace

void DrawPanel() {
    // The frame in which the tutorial ends still shows no button hint.
    const bool tutorialWasRunning = screen.tutorialRunning;
    if (tutorialWasRunning) buttons.hoveredButton = 0;
    const TutorialFrame tutorial = StepTutorial(NowStamp());
    // While the tutorial runs the pointer keeps its last position.
    if (!screen.tutorialRunning) {
        buttons.mouseX = KInputState::GetMouseX();
        buttons.mouseY = KInputState::GetMouseY();
    }
    HintSituation situation{settings.gameMode, buttons.hoveredButton, buttons.mouseX,
                            buttons.mouseY, tutorial.page};
    if (buttons.pointerX < 0) keyHighlight = KeyHighlight::None; // a new screen: no input yet
    if (!tutorialWasRunning)
        situation = WithKeyHighlight(situation, keyHighlight, buttons.keyBoardRow, screen.keyBar);
    const std::vector<HelpLine> lines = HelpLinesFor(situation);

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
