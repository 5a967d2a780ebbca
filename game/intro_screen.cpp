#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "game/screen_switch.h"
#include "game/screen_state.h"
#include "game/screens.h"
#include "game/sprite_table.h"

namespace {

void IntroFrame(float opacity) {
    KSystemTools::Wait(25, true);
    KGraphic::FillRect(0, 0, 640, 480, 1, 1, 1, 1);
    if (KGraphic* logo = spriteTable[kLogoSprite].image)
        logo->BlitTransformed(0, 0, 640, 480, 0, 0, 0, 1, opacity, false, false);
    resources.window->Flip(true);
}

} // namespace

void RunIntro() {
    float v = 0;
    for (; v <= 1.0f && !KDisplayWindow::IsClosed(); v += 0.025f)
        IntroFrame(v);
    DrawSpriteFrame(kLogoSprite, 0, 0, 1);
    KSystemTools::Wait(1000, true);
    for (; v > 0 && !KDisplayWindow::IsClosed(); v -= 0.025f)
        IntroFrame(v);
    ShowScreen(MainMenu);
}
