#include "game/panels/game_over_dialog.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/game_state.h"
#include "game/panels/frozen_screen.h"
#include "game/panels/message_box.h"
#include "game/panels/name_entry.h"
#include "game/panels/score_protocol.h"
#include "game/screen_flow.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"

#include <array>
#include <cstring>

namespace {

constexpr int kPlaySheet = 6;

void DrawAcceptedTexts(KBitmapFont& font, int16_t gameMode, const NameBuffer& name) {
    font.DrawCentered("CONGRATULATIONS!!!", 275, 510, 198, 0);
    font.DrawCentered(gameMode == TimeAttack ? "You made a great time!" : "You made a top score!",
                      275, 510, 214, 0);
    font.DrawCentered("Use the keyboard to enter your name", 275, 510, 230, 0);
    font.DrawCentered(name.text.data(), 145, 640, 260, 0);
}

void DrawRefusedTexts(KBitmapFont& font) {
    font.DrawCentered("YOU MADE A GREAT GAME!", 275, 510, 198, 0);
    font.DrawCentered("But you can't enter the online scoring", 275, 510, 230, 0);
    font.DrawCentered("because couldn't connect to server!", 275, 510, 250, 0);
    font.DrawCentered("CLICK MOUSE BUTTON TO CONTINUE", 275, 510, 275, 0);
}

// One press of the keyboard or a gamepad as the name entry's key: letters
// as the layout types them, and a gamepad's A as Return.
int32_t NameKey(const KInputPress& press) {
    if (press.keyCode >= 0) return press.keyCode;
    return press.action == KInputAction::Accept ? kKeyReturn : -1;
}

} // namespace

void ShowGameOver(int16_t gameMode, int16_t difficulty, int32_t /*result*/) {
    const char* table = HighscoreTableName(gameMode, difficulty);
    if (!table) return; // Puzzle has no table
    // Asked before anything is drawn: the screen stands still meanwhile.
    const bool accepted = IsHighscore(table);

    NameBuffer name;
    std::array<char, 256> submission{};
    bool entered = false;
    bool clicked = false;
    {
        FrozenScreen frozen;
        KInputState::ForgetPresses(); // keys struck in play are not the name
        bool done = false;
        while (!done && !KDisplayWindow::IsClosed()) {
            frozen.Draw();
            if (KGraphic* sheet = spriteTable[kPlaySheet].image) DrawMessageBox(*sheet, accepted);
            if (KBitmapFont* font = resources.smallFont) {
                if (accepted) {
                    DrawAcceptedTexts(*font, gameMode, name);
                } else {
                    DrawRefusedTexts(*font);
                }
            }
            if (!accepted && KInputState::IsMouseDown()) {
                done = true;
                clicked = true;
            }
            resources.window->Flip(true);

            // Typed in both dialogs; only the accepted one shows and sends it.
            KInputPress press;
            while (!done && KInputState::TakePress(&press)) {
                if (ApplyNameKey(name, NameKey(press)) != NameKeyResult::Enter) continue;
                done = true;
                entered = true;
                submission.fill(0);
                std::memcpy(submission.data(), name.text.data(), name.text.size());
            }
        }
    }
    if (clicked) WaitMouseRelease();
    // A window closed over the dialog sends nothing: no name was confirmed.
    if (accepted && entered) SubmitScore(submission.data(), table);
}
