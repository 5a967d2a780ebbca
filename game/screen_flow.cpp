#include "game/screen_flow.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/input/KInputState.h"
#include "game/screens.h"
#include "game/screen_state.h"

ScreenFlow screen;
GameResources resources;

void UpdateScreen() {
    switch (screen.screenState) {
    case MainMenu:
        DrawMainMenu();
        break;
    case ModeSelection:
        DrawModeSelection();
        break;
    case Playing:
        RunPlayingFrame();
        break;
    case Intro:
        RunIntro();
        break;
    }
}

void FadeOutScreen() {
    auto* grab = new KGraphic;
    grab->GrabScreen();
    for (float v = 1.0f; v > 0; v -= 0.025f) {
        KSystemTools::Wait(15, true);
        KGraphic::SetWorldView(0, 0, 0, v, true);
        grab->BlitTransformed(0, 0, 640, 480, 0, 0, 0, 1, v, false, false);
        if (resources.window) resources.window->Flip(true);
    }
    delete grab;
    KInputState::ForgetPresses(); // made on a screen the player no longer sees
}

void WaitMouseRelease() {
    while (KInputState::IsMouseDown() && !KDisplayWindow::IsClosed()) {
        KDisplayWindow::ProcessOneMessage();
        KSystemTools::Wait(1, false);
    }
}
