#include "framework/display/KGraphic.h"
#include "game/board_draw.h"
#include "game/rules/board_frame.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/rules/modes.h"
#include "game/panels/side_panel.h"
#include "game/replay/game_recorder.h"
#include "game/screen_switch.h"
#include "game/screen_state.h"
#include "game/screens.h"
#include "game/sheet_draw.h"
#include "game/sprite_table.h"

namespace {

using namespace layout;

void DrawBackground(KGraphic* sheet) {
    if (KGraphic* panel = spriteTable[kLargeFontSprite].image)
        BlitPiece(*panel, kOptionsPanel, kOptionsPanelAt);
    if (!sheet) return;
    BlitPiece(*sheet, kLowerLeftPanel, kLowerLeftPanelAt);
    for (int i = 0; i < kStripTiles; ++i)
        BlitPiece(*sheet, kBackgroundStrip, stripAt(i));
}

// The spin and slide buttons at 0.7 opacity; the hovered one stands out,
// and the row cursor frames the two arrows of the row the keys slide.
void DrawMoveButtons(KGraphic* sheet) {
    if (sheet) {
        for (int i = SpinCounterClockwiseButton; i < PlayButtonCount; ++i) {
            const Button& b = buttons.table[i];
            sheet->BlitTransformed(b.srcX, b.srcY, b.srcX + b.width, b.srcY + b.height, b.dstX,
                                   b.dstY, 0, 1, 0.7f, false, false);
        }
    }
    DrawHoveredButton();
    for (int arrow :
         {SlideLeftButton(buttons.keyBoardRow), SlideRightButton(buttons.keyBoardRow)}) {
        const Button& b = buttons.table[arrow];
        DrawKeyFrame(b.dstX - 2, b.dstY - 1, b.dstX + b.width + 2, b.dstY + b.height + 1);
    }
}

void DrawBottomBar(KGraphic* sheet) {
    if (!sheet) return;
    for (int i = 0; i < kBarMiddles; ++i)
        BlitPieceAlpha(*sheet, kBarMiddle, barMiddleAt(i));
    BlitPieceAlpha(*sheet, kBarLeft, kBarLeftAt);
    BlitPieceAlpha(*sheet, kBarRight, kBarRightAt);
}

void DrawCellsUnderTransform() {
    SetBoardTransform();
    DrawBoardCells();
}

} // namespace

void DrawPlayingFrame(bool stepRules) {
    KGraphic* sheet = spriteTable[kPlaySprite].image;
    DrawBackground(sheet);
    DrawMoveButtons(sheet);
    if (KGraphic* well = spriteTable[kLargeFontSprite].image)
        BlitPiece(*well, kBoardWell, kBoardWellAt);

    BoardPainter painter;
    painter.drawCells = DrawCellsUnderTransform;
    painter.drawSlidingRow = DrawSlidingRow; // the transform is still set
    if (stepRules)
        StepBoardFrame(painter);
    else
        DrawBoardFrame(painter);

    KGraphic::ResetWorldView();
    DrawBottomBar(sheet);
    DrawPanel(); // ticks the TimeAttack clock after drawing it
}

void RunPlayingFrame() {
    KGraphic::ResetWorldView();
    if (!counters.boardReady) {
        BeginRecordedGame();
        SetupGame();
    } else {
        RecordFrame();
    }
    if (counters.levelUnavailable) { // the player has been told; back to the menu
        ShowScreen(MainMenu);
        return;
    }
    DrawPlayingFrame(true);
    if (counters.gameOver) EndRecordedGame();
}
