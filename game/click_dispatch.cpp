#include "game/click_dispatch.h"

#include "framework/audio/KAudioSource.h"
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/input/KInputState.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/rules/moves.h"
#include "game/panels/key_codes.h"
#include "game/panels/sound_cues.h"
#include "game/replay/game_recorder.h"
#include "game/replay/replay_steps.h"
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
    case 1:
        GoTo(ModeSelection);
        break;
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
    case 4:
        screen.quitRequested = 1;
        break;
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

// The game speed is part of the game: each change is recorded.
void SetGameSpeed(int16_t speed) {
    if (speed == settings.gameSpeed) return;
    settings.gameSpeed = speed;
    RecordAction(replay::SpeedCode(speed));
}

void Slide(int row, SlideDirection direction) {
    if (StartSlide(row, direction)) RecordAction(replay::SlideCode(row, direction));
}

void Turn(SpinState direction) {
    if (StartSpin(direction)) RecordAction(replay::TurnCode(direction));
}

// Dragging along a bar changes its value continuously.
void ReadSettingBars(bool click, int mx, int my) {
    if (click && mx > 25 && mx < 125) {
        if (my > 150 && my < 167) settings.sfxVolume = static_cast<int16_t>(mx - 25);
        if (my > 200 && my < 217) settings.musicVolume = static_cast<int16_t>(mx - 25);
        if (my > 250 && my < 267) SetGameSpeed(static_cast<int16_t>((mx - 25) / 21 + 1));
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
    case 6:
        Turn(SpinCounterClockwise);
        break;
    case 7:
        Turn(SpinClockwise);
        break;
    default:
        if (button >= 8 && button <= 16) Slide(button - 8, SlideLeft);
        if (button >= 17 && button <= 25) Slide(button - 17, SlideRight);
        break;
    }
}

// Tab picks the bar the digits set: 1 the lowest, 0 the highest.
void SetBarByKey(int32_t keyCode) {
    if (keyCode == kKeyTab) {
        // The first Tab shows the bar the digits would set.
        if (screen.keyBarShown) screen.keyBar = static_cast<int16_t>((screen.keyBar + 1) % 3);
        screen.keyBarShown = 1;
        return;
    }
    int digit = -1;
    if (keyCode >= kKeyDigit0 && keyCode <= kKeyDigit0 + 9) digit = keyCode - kKeyDigit0;
    if (keyCode >= kKeyPad0 && keyCode <= kKeyPad0 + 9) digit = keyCode - kKeyPad0;
    if (digit < 0) return;
    const int level = digit == 0 ? 10 : digit;
    const auto volume = static_cast<int16_t>(10 * level - 1); // as many ticks as the digit
    if (screen.keyBar == 0) settings.sfxVolume = volume;
    if (screen.keyBar == 1) settings.musicVolume = volume;
    if (screen.keyBar == 2) SetGameSpeed(static_cast<int16_t>(level < 5 ? level : 5));
    screen.keyBarShown = 1;
    KAudioSource::SetMasterVolumes(settings.musicVolume, settings.sfxVolume);
}

void PlayPress(const KInputPress& press) {
    const int row = buttons.cursorRow;
    switch (press.action) {
    case KInputAction::Up:
        buttons.cursorRow = static_cast<int16_t>((row + 8) % 9);
        return;
    case KInputAction::Down:
        buttons.cursorRow = static_cast<int16_t>((row + 1) % 9);
        return;
    default:
        break;
    }
    SetBarByKey(press.keyCode);
    if (board.spinState != NoSpin) return; // as for clicks
    if (press.action == KInputAction::Left) PlayClick(8 + row);
    if (press.action == KInputAction::Right) PlayClick(17 + row);
    if (press.action == KInputAction::TurnLeft || press.keyCode == kKeyQ) PlayClick(6);
    if (press.action == KInputAction::TurnRight || press.keyCode == kKeyE) PlayClick(7);
    if (press.keyCode == kKeyR) PlayClick(2);
    if (press.keyCode == kKeyT) PlayClick(1);
    if (press.action == KInputAction::Back) PlayClick(3);
}

void MenuPress(const KInputPress& press, void (*click)(int button), bool hasBack) {
    switch (press.action) {
    case KInputAction::Up:
    case KInputAction::Left:
        MoveFocus(-1);
        break;
    case KInputAction::Down:
    case KInputAction::Right:
        MoveFocus(1);
        break;
    case KInputAction::Accept:
        // With nothing lit, Accept first shows the choice it would take.
        if (buttons.hoveredButton >= 1 && buttons.hoveredButton <= buttons.keyButtonCount)
            click(buttons.hoveredButton);
        else
            MoveFocus(0);
        break;
    case KInputAction::Back:
        if (hasBack) click(buttons.keyButtonCount);
        break;
    default:
        break;
    }
}

// Keys and gamepad buttons in the order pressed, until one leaves the
// screen (which drops the rest) or starts the tutorial.
void HandlePresses() {
    KInputPress press;
    const int16_t state = screen.screenState;
    while (state == screen.screenState && !screen.tutorialRunning && !screen.quitRequested &&
           KInputState::TakePress(&press)) {
        switch (state) {
        case MainMenu:
            MenuPress(press, MenuClick, false);
            break;
        case ModeSelection:
            MenuPress(press, ModeClick, true);
            break;
        case Playing:
            PlayPress(press);
            break;
        }
    }
}

} // namespace

void HandleInput() {
    if (screen.tutorialRunning) {
        KInputPress ignored;
        while (KInputState::TakePress(&ignored)) {
        }
        return;
    }
    const bool click = KInputState::IsMouseDown();
    buttons.mouseX = KInputState::GetMouseX();
    buttons.mouseY = KInputState::GetMouseY();
    UpdateHover(buttons.mouseX, buttons.mouseY);
    const int pointed = buttons.pointerButton;
    const int16_t state = screen.screenState;

    switch (state) {
    case MainMenu:
        if (click && pointed > 0) MenuClick(pointed);
        break;
    case ModeSelection:
        if (click && pointed > 0) ModeClick(pointed);
        break;
    case Playing:
        if (buttons.pointerMoved && pointed >= 8 && pointed <= 25)
            buttons.cursorRow = static_cast<int16_t>((pointed - 8) % 9);
        ReadSettingBars(click, buttons.mouseX, buttons.mouseY);
        if (click && pointed > 0 && board.spinState == NoSpin) PlayClick(pointed);
        break;
    }
    if (state == screen.screenState) HandlePresses();
}
