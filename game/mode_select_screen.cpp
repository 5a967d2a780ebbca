#include "framework/display/KGraphic.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/screen_state.h"
#include "game/screens.h"
#include "game/sprite_table.h"

namespace {

constexpr int kSheet = 5;

struct ModeText {
    const char* first;
    const char* second;
    int16_t y;
};
const ModeText kModeTexts[3] = {
    {"PLAY AGAINST THE TIME IN THIS MODE", "BE QUICKER THAN THE OTHERS!", 120},
    {"TRY TO MAKE MORE POINTS POSSIBLE", "AND BEAT THE ONLINE HIGHSCORES!", 240},
    {"GO THROUGH SEVERAL PUZZLE LEVELS", "WITH INCREASING DIFFICULTY", 360},
};

// The title zooms in, pauses at full size, zooms out, and every five
// seconds the other title takes its turn.
void DrawTitle(KGraphic* sheet) {
    if (MillisecondsSince(board.fallTimer) > 5000) {
        screen.titleIndex = static_cast<int16_t>(1 - screen.titleIndex);
        board.fallTimer = NowStamp();
        board.animStep = 0;
    }
    if (MillisecondsSince(board.animTimer) > screen.titleInterval) {
        board.animTimer = NowStamp();
        board.animStep++;
        screen.titleInterval = 10;
        if (board.animStep == 100) screen.titleInterval = 750;
    }
    if (board.animStep >= 200) return;
    float t = board.animStep < 100 ? board.animStep / 100.0f : (200 - board.animStep) / 100.0f;
    if (screen.titleIndex == 0)
        sheet->BlitTransformed(70, 384, 445, 434, 140, 6, 0, t, t, false, false);
    else
        sheet->BlitTransformed(70, 330, 445, 384, 145, 2, 0, t, t, false, false);
}

} // namespace

void DrawModeSelection() {
    KGraphic* sheet = spriteTable[kSheet].image;
    if (sheet) {
        sheet->Blit(0, 442, 512, 470, 70, 435, false, false);
        DrawTitle(sheet);
        for (int i = 0; i < 3; ++i) {
            static const float top[3] = {0, 111, 221}, bottom[3] = {111, 221, 330};
            static const float nameBottom[3] = {41, 151, 261};
            static const int16_t y[3] = {65, 185, 305};
            sheet->Blit(0, top[i], 158, bottom[i], 20, y[i], false, false);
            sheet->Blit(158, top[i], 512, nameBottom[i], 220, y[i], false, false);
        }
    }
    int hovered = buttons.hoveredButton;
    if (resources.largeFont && hovered >= 1 && hovered <= 3) {
        const ModeText& text = kModeTexts[hovered - 1];
        resources.largeFont->DrawCentered(text.first, 160, 640, text.y, 0);
        resources.largeFont->DrawCentered(text.second, 160, 640, text.y + 20, 0);
    }
    DrawHoveredButton();
}
