#include "game/screen_flow.h"

#include "framework/audio/KAudioSource.h"
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/replay/game_recorder.h"
#include "game/rules/game_state.h"
#include "game/screens.h"
#include "game/screen_state.h"
#include "game/sprite_table.h"

ScreenFlow screen;
GameResources resources;

namespace {

void StartMusic(int slot, const char* relativePath) {
    auto* music = new KAudioSource;
    if (music->LoadMusic(KSystemTools::MakePath(relativePath))) music->PlayMusic(1);
    resources.music[slot] = music;
    KAudioSource::SetMasterVolumes(settings.musicVolume, settings.sfxVolume);
}

} // namespace

void FreeMusic() {
    for (auto& slot : resources.music) {
        delete slot; // the stream stops its worker before it goes
        slot = nullptr;
    }
}

void LoadScreen() {
    ReadFrameClock();             // a new screen starts a new frame, after any fade
    EndRecordedGame();            // a game being left is kept as it stands
    KInputState::ForgetPresses(); // a press counts on the screen it was made on
    screen.keyBarShown = 0;
    for (int entry = 0; entry < kSpriteCount; ++entry)
        if (entry != kLargeFontSprite) FreeSprite(entry);
    DisableAllButtons();
    FreeMusic();

    switch (screen.screenState) {
    case MainMenu:
        StartMusic(1, "snd\\Main.ogg");
        LoadSprite(0, "gfx\\back.jpg", 0);
        LoadSprite(1, "gfx\\TORV.tga", 0);
        LoadSprite(3, "gfx\\menu.jpg", 0);
        SetMenuButtons();
        KGraphic::SetClearColor(0, 0, 0, 1);
        board.animTimer = NowStamp();
        board.fallTimer = NowStamp(); // times the credit pages
        break;
    case ModeSelection:
        StartMusic(2, "snd\\Select.ogg");
        LoadSprite(5, "gfx\\select.jpg", 0);
        SetModeButtons();
        break;
    case Playing:
        StartMusic(3, "snd\\theme.ogg");
        LoadSprite(6, "gfx\\play2.tga", 0);
        SetPlayButtons();
        screen.tutorialStart = NowStamp();
        if (resources.largeFont) ShareSprite(kLargeFontSprite, resources.largeFont->GetImage());
        counters.boardReady = 0;
        break;
    case Intro:
        LoadSprite(10, "gfx\\logo.jpg", 0);
        break;
    }
}

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
