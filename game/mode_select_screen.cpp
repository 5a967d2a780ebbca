#include "framework/display/KGraphic.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/screen_state.h"
#include "game/screens.h"
#include "game/sheet_draw.h"
#include "game/sprite_table.h"

namespace {

using namespace layout;

struct ModeText {
    const char* first;
    const char* second;
    int16_t y;
};
const ModeText kModeTexts[3] = {
    {"PLAY AGAINST THE TIME IN THIS MODE", "BE QUICKER THAN THE OTHERS!", descriptionY(TimeAttack)},
    {"TRY TO MAKE MORE POINTS POSSIBLE", "AND BEAT THE ONLINE HIGHSCORES!", descriptionY(TopScore)},
    {"GO THROUGH SEVERAL PUZZLE LEVELS", "WITH INCREASING DIFFICULTY", descriptionY(Puzzle)},
};

// A title piece zoomed by `t` about its centre.
void DrawZoomed(KGraphic& sheet, Rect title, Point at, float t) {
    sheet.BlitTransformed(title.x1, title.y1, title.x2, title.y2, static_cast<int16_t>(at.x),
                          static_cast<int16_t>(at.y), 0, t, t, false, false);
}

// The title zooms in, pauses at full size, zooms out, and every five
// seconds the other title takes its turn.
void DrawTitle(KGraphic* sheet) {
    if (MillisecondsSince(screen.pageTimer) > 5000) {
        screen.titleIndex = static_cast<int16_t>(1 - screen.titleIndex);
        screen.pageTimer = NowStamp();
        screen.titleStep = 0;
    }
    if (MillisecondsSince(screen.titleStepTimer) > screen.titleInterval) {
        screen.titleStepTimer = NowStamp();
        screen.titleStep++;
        screen.titleInterval = 10;
        if (screen.titleStep == 100) screen.titleInterval = 750;
    }
    const int step = screen.titleStep;
    if (step >= 200) return;
    float t = step < 100 ? step / 100.0f : (200 - step) / 100.0f;
    if (screen.titleIndex == 0)
        DrawZoomed(*sheet, kTitle0, kTitle0At, t);
    else
        DrawZoomed(*sheet, kTitle1, kTitle1At, t);
}

} // namespace

void DrawModeSelection() {
    KGraphic* sheet = spriteTable[kSelectSprite].image;
    if (sheet) {
        BlitPiece(*sheet, kBackButton, kBackButtonAt);
        DrawTitle(sheet);
        for (int mode : {TimeAttack, TopScore, Puzzle}) {
            BlitPiece(*sheet, modePicture(mode), modePictureAt(mode));
            BlitPiece(*sheet, modeName(mode), modeNameAt(mode));
        }
    }
    int hovered = buttons.hoveredButton;
    if (resources.largeFont && hovered >= TimeAttackButton && hovered <= PuzzleButton) {
        const ModeText& text = kModeTexts[hovered - TimeAttackButton];
        resources.largeFont->DrawCentered(text.first, kDescriptionX1, kDescriptionX2, text.y, 0);
        resources.largeFont->DrawCentered(text.second, kDescriptionX1, kDescriptionX2, text.y + 20,
                                          0);
    }
    DrawHoveredButton();
}
