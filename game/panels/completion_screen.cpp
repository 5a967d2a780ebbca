#include "game/panels/completion_screen.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/panels/frozen_screen.h"
#include "game/panels/message_box.h"
#include "game/screen_flow.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"

namespace {

void DrawMessage() {
    if (KGraphic* sheet = spriteTable[kPlaySprite].image) DrawMessageBox(*sheet, false);
    if (KBitmapFont* font = resources.smallFont) {
        font->DrawCentered("WELL DONE", 275, 510, 198, 0);
        font->DrawCentered("You've finished all the 10 puzzle levels!", 275, 510, 230, 0);
        font->DrawCentered("You're truly a master of Orbolo.", 275, 510, 250, 0);
    }
}

} // namespace

void ShowCompletionScreen() {
    bool clicked = false;
    {
        FrozenScreen frozen;
        KInputState::ForgetPresses(); // a move's click is no answer to it
        KInputPress press;
        while (!KDisplayWindow::IsClosed()) {
            if (KInputState::IsKeyDown(kKeySpace)) break;
            if (KInputState::TakePress(&press) && press.action == KInputAction::Accept) break;
            if (KInputState::IsMouseDown()) {
                clicked = true;
                break;
            }
            frozen.Draw();
            DrawMessage();
            resources.window->Flip(true);
        }
    }
    if (clicked) WaitMouseRelease();
}
