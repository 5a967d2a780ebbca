#include "framework/display/KGraphic.h"
#include "game/board_draw.h"
#include "game/rules/board_frame.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/rules/modes.h"
#include "game/panels/side_panel.h"
#include "game/replay/game_recorder.h"
#include "game/screen_flow.h"
#include "game/screen_state.h"
#include "game/screens.h"
#include "game/sprite_table.h"

namespace {

constexpr int kSheet = 6;

void DrawBackground(KGraphic* sheet) {
    if (KGraphic* panel = spriteTable[kLargeFontSprite].image)
        panel->Blit(1, 198, 151, 404, 0, 105, false, false);
    if (!sheet) return;
    sheet->Blit(2, 324, 152, 495, 0, 310, false, false);
    for (int i = 0; i < 16; ++i)
        sheet->Blit(479, 1, 511, 481, static_cast<int16_t>(151 + 32 * i), 0, false, false);
}

// The spin and slide buttons at 0.7 opacity; the hovered one stands out,
// and the row cursor frames the two arrows of the row the keys slide.
void DrawMoveButtons(KGraphic* sheet) {
    if (sheet) {
        for (int i = 6; i <= 25; ++i) {
            const ButtonRow& b = buttons.rows[i];
            sheet->BlitTransformed(b.srcX, b.srcY, b.srcX + b.width, b.srcY + b.height, b.dstX,
                                   b.dstY, 0, 1, 0.7f, false, false);
        }
    }
    DrawHoveredButton();
    for (int arrow : {8 + buttons.cursorRow, 17 + buttons.cursorRow}) {
        const ButtonRow& b = buttons.rows[arrow];
        DrawKeyFrame(b.dstX - 2, b.dstY - 1, b.dstX + b.width + 2, b.dstY + b.height + 1);
    }
}

void DrawBottomBar(KGraphic* sheet) {
    if (!sheet) return;
    for (int i = 0; i < 6; ++i)
        sheet->BlitAlpha(220, 410, 286, 476, static_cast<int16_t>(214 + 66 * i), 410, false, false);
    sheet->BlitAlpha(154, 410, 220, 476, 170, 410, false, false);
    sheet->BlitAlpha(285, 410, 351, 476, 556, 410, false, false);
}

void DrawCellsUnderTransform() {
    SetBoardTransform();
    DrawBoardCells();
}

} // namespace

void DrawPlayingFrame(bool stepRules) {
    KGraphic* sheet = spriteTable[kSheet].image;
    DrawBackground(sheet);
    DrawMoveButtons(sheet);
    if (KGraphic* well = spriteTable[kLargeFontSprite].image)
        well->Blit(191, 192, 511, 512, 235, 80, false, false);

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
        screen.screenState = MainMenu;
        LoadScreen();
        return;
    }
    DrawPlayingFrame(true);
    if (counters.gameOver) EndRecordedGame();
}
