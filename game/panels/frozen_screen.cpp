#include "game/panels/frozen_screen.h"

#include "framework/display/KGraphic.h"

FrozenScreen::FrozenScreen() : picture(std::make_unique<KGraphic>()) {
    picture->GrabScreen();
}

FrozenScreen::~FrozenScreen() = default;

void FrozenScreen::Draw() {
    KGraphic::ResetWorldView();
    picture->Blit(0, 0, 640, 480, 0, 0, false, false);
}
