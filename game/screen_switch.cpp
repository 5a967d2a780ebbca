#include "game/screen_switch.h"

#include "framework/audio/KAudioSource.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/input/KInputState.h"
#include "framework/text/KBitmapFont.h"
#include "game/buttons.h"
#include "game/replay/game_recorder.h"
#include "game/rules/game_state.h"
#include "game/sprite_table.h"

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

void ShowScreen(ScreenState state) {
    ReadFrameClock();  // a new screen starts a new frame, after any fade
    EndRecordedGame(); // a game being left is kept as it stands
    screen.screenState = state;
    KInputState::ForgetPresses(); // a press counts on the screen it was made on
    screen.keyBarShown = 0;
    for (int entry = 0; entry < kSpriteCount; ++entry)
        if (entry != kLargeFontSprite) FreeSprite(entry);
    DisableAllButtons();
    FreeMusic();

    switch (state) {
    case MainMenu:
        StartMusic(1, "snd\\Main.ogg");
        LoadSprite(kBackdropSprite, "gfx\\back.jpg");
        LoadSprite(kSplashSprite, "gfx\\TORV.tga");
        LoadSprite(kMenuSprite, "gfx\\menu.jpg");
        SetMenuButtons();
        KGraphic::SetClearColor(0, 0, 0, 1);
        // The credit pages here and the titles of the mode selection
        // keep one rhythm.
        screen.titleStepTimer = NowStamp();
        screen.pageTimer = NowStamp();
        break;
    case ModeSelection:
        StartMusic(2, "snd\\Select.ogg");
        LoadSprite(kSelectSprite, "gfx\\select.jpg");
        SetModeButtons();
        break;
    case Playing:
        StartMusic(3, "snd\\theme.ogg");
        LoadSprite(kPlaySprite, "gfx\\play2.tga");
        SetPlayButtons();
        screen.tutorialStart = NowStamp();
        screen.titleStep = 0; // after a game the selection's title zooms in afresh
        if (resources.largeFont) ShareSprite(kLargeFontSprite, resources.largeFont->GetImage());
        counters.boardReady = 0;
        break;
    case Intro:
        LoadSprite(kLogoSprite, "gfx\\logo.jpg");
        break;
    }
}
