#include "game/click_dispatch.h"

#include "framework/audio/KAudioSource.h"
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/input/KInputState.h"
#include "game/buttons.h"
#include "game/game_state.h"
#include "game/moves.h"
#include "game/panels/sound_cues.h"
#include "game/screen_flow.h"
#include "game/screen_state.h"

namespace {

void GoTo(int16_t state) {
    screen.screenState = state;
    LoadScreen();
}

void MenuClick(int button) {
    PlayCue(Cue::Click);
    if (button != 2) FadeOutScreen();
    switch (button) {
    case 1: GoTo(ModeSelection); break;
    case 2:
        WaitMouseRelease();
        settings.difficulty = static_cast<int16_t>(settings.difficulty % 3 + 1);
        SetDifficultyButton();
        break;
    case 3:
        PlayCue(Cue::Click);
        KDisplayWindow::RequestQuit();
        screen.openScoresOnExit = 1;
        break;
    case 4: screen.quitRequested = 1; break;
    }
}

void ModeClick(int button) {
    PlayCue(Cue::Click);
    FadeOutScreen();
    if (button >= 1 && button <= 3) {
        settings.gameMode = static_cast<int16_t>(button);
        counters.puzzleLevel = 1;
        GoTo(Playing);
    } else if (button == 4) {
        GoTo(MainMenu);
    }
}

// Dragging along a bar changes its value continuously.
void ReadSettingBars(bool click, int mx, int my) {
    if (click && mx > 25 && mx < 125) {
        if (my > 150 && my < 167) settings.sfxVolume = static_cast<int16_t>(mx - 25);
        if (my > 200 && my < 217) settings.musicVolume = static_cast<int16_t>(mx - 25);
        if (my > 250 && my < 267) settings.gameSpeed = static_cast<int16_t>((mx - 25) / 21 + 1);
    }
    KAudioSource::SetMasterVolumes(settings.musicVolume, settings.sfxVolume);
}

void PlayClick(int button) {
    switch (button) {
    case 1:
        PlayCue(Cue::Click);
        screen.tutorialRunning = 1;
        screen.tutorialStart = NowStamp();
        WaitMouseRelease();
        PlayCue(Cue::Clear);
        break;
    case 2:
        counters.boardReady = 0; // the next frame sets up a new game
        PlayCue(Cue::Swirl);
        WaitMouseRelease();
        break;
    case 3:
        PlayCue(Cue::Click);
        KGraphic::ResetWorldView();
        PlayCue(Cue::Spin);
        FadeOutScreen();
        GoTo(MainMenu);
        break;
    case 6: StartSpin(SpinCounterClockwise); break;
    case 7: StartSpin(SpinClockwise); break;
    default:
        if (button >= 8 && button <= 16) StartSlide(button - 8, SlideLeft);
        if (button >= 17 && button <= 25) StartSlide(button - 17, SlideRight);
        break;
    }
}

} // namespace

void HandleInput() {
    if (screen.tutorialRunning) return;
    const bool click = KInputState::IsMouseDown();
    buttons.mouseX = KInputState::GetMouseX();
    buttons.mouseY = KInputState::GetMouseY();
    UpdateHover(buttons.mouseX, buttons.mouseY);
    const int hovered = buttons.hoveredButton;

    switch (screen.screenState) {
    case MainMenu:
        if (click && hovered > 0) MenuClick(hovered);
        break;
    case ModeSelection:
        if (click && hovered > 0) ModeClick(hovered);
        break;
    case Playing:
        ReadSettingBars(click, buttons.mouseX, buttons.mouseY);
        if (click && hovered > 0 && board.spinState == NoSpin) PlayClick(hovered);
        break;
    }
}
