#include "framework/display/KGraphic.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/screen_state.h"
#include "game/screens.h"
#include "game/sprite_table.h"

const char* const kCreditLines[3] = {
    "ORBOLO - SLIDE, TURN AND CLEAR THE BOARD",
    "MADE BY THE ORBOLO TEAM",
    "BUILT WITH SDL, OPENGL, VORBIS AND FREETYPE",
};

namespace {

const char* const kMenuCaptions[5] = {
    nullptr,
    "START A NEW GAME",
    "CHANGE DIFFICULTY LEVEL",
    "QUIT THE GAME AND VIEW THE ONLINE HIGHSCORES",
    "QUIT THE GAME",
};

void Blit(int entry, float x1, float y1, float x2, float y2, int16_t dx, int16_t dy) {
    if (KGraphic* image = spriteTable[entry].image)
        image->Blit(x1, y1, x2, y2, dx, dy, false, false);
}

} // namespace

void DrawMainMenu() {
    DrawSpriteFrame(0, 30, -10, 1);
    Blit(3, 0, 0, 256, 128, 198, 302);
    // The menu picture shows "easy"; the other settings cover it.
    if (settings.difficulty == 2) Blit(kLargeFontSprite, 256, 64, 512, 82, 198, 345);
    if (settings.difficulty == 3) Blit(kLargeFontSprite, 0, 64, 256, 82, 198, 345);

    if (MillisecondsSince(board.fallTimer) > 5000) {
        screen.creditPage = static_cast<int16_t>((screen.creditPage + 1) % 5);
        board.fallTimer = NowStamp();
    }
    KBitmapFont* font = resources.largeFont;
    if (font && buttons.hoveredButton >= 1 && buttons.hoveredButton <= 4)
        font->DrawCentered(kMenuCaptions[buttons.hoveredButton], 0, 640, 455, 0);
    if (screen.creditPage == 0) {
        if (KGraphic* mark = spriteTable[1].image)
            mark->Blit(0, 0, mark->imageWidth, mark->imageHeight, 295, 20, false, false);
    } else if (screen.creditPage <= 3 && font) {
        font->DrawCentered(kCreditLines[screen.creditPage - 1], 0, 640, 25, 0);
    }
    DrawHoveredButton();
}
