#include "framework/display/KGraphic.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/screen_state.h"
#include "game/screens.h"
#include "game/sheet_draw.h"
#include "game/sprite_table.h"

const char* const kCreditLines[3] = {
    "ORBOLO - SLIDE, TURN AND CLEAR THE BOARD",
    "MADE BY THE ORBOLO TEAM",
    "BUILT WITH SDL, OPENGL, VORBIS AND FREETYPE",
};

namespace {

const char* const kMenuCaptions[MenuButtonCount] = {
    nullptr,
    "START A NEW GAME",
    "CHANGE DIFFICULTY LEVEL",
    "QUIT THE GAME AND VIEW THE ONLINE HIGHSCORES",
    "QUIT THE GAME",
};

void Blit(int entry, layout::Rect piece, layout::Point at) {
    if (KGraphic* image = spriteTable[entry].image) BlitPiece(*image, piece, at);
}

} // namespace

void DrawMainMenu() {
    using namespace layout;
    DrawSpriteFrame(kBackdropSprite, kBackAt.x, kBackAt.y, 1);
    Blit(kMenuSprite, kMenuItems, kMenuAt);
    // The menu picture shows "easy"; the other settings cover it.
    if (settings.difficulty == 2) Blit(kLargeFontSprite, kDifficultyAverage, kDifficultyAt);
    if (settings.difficulty == 3) Blit(kLargeFontSprite, kDifficultyHard, kDifficultyAt);

    if (MillisecondsSince(screen.pageTimer) > 5000) {
        screen.creditPage = static_cast<int16_t>((screen.creditPage + 1) % 5);
        screen.pageTimer = NowStamp();
    }
    KBitmapFont* font = resources.largeFont;
    if (font && buttons.hoveredButton >= NewGameButton && buttons.hoveredButton <= QuitButton)
        font->DrawCentered(kMenuCaptions[buttons.hoveredButton], 0, 640, kCaptionY, 0);
    if (screen.creditPage == 0) {
        if (KGraphic* mark = spriteTable[kSplashSprite].image)
            mark->Blit(0, 0, mark->imageWidth, mark->imageHeight, kSplashAt.x, kSplashAt.y, false,
                       false);
    } else if (screen.creditPage <= 3 && font) {
        font->DrawCentered(kCreditLines[screen.creditPage - 1], 0, 640, kCreditY, 0);
    }
    DrawHoveredButton();
}
