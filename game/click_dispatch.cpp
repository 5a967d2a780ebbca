#include "game/click_dispatch.h"

#include "framework/audio/KAudioSource.h"
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/input/KInputState.h"
#include "game/buttons.h"
#include "game/rules/game_state.h"
#include "game/rules/moves.h"
#include "game/panels/sound_cues.h"
#include "game/play_keys.h"
#include "game/replay/game_recorder.h"
#include "game/replay/replay_steps.h"
#include "game/screen_flow.h"
#include "game/screen_switch.h"
#include "game/screen_state.h"

namespace {

void MenuClick(int button) {
    PlayCue(Cue::Click);
    if (button != DifficultyButton) FadeOutScreen();
    switch (button) {
    case NewGameButton:
        ShowScreen(ModeSelection);
        break;
    case DifficultyButton:
        WaitMouseRelease();
        settings.difficulty = static_cast<int16_t>(settings.difficulty % 3 + 1);
        SetDifficultyButton();
        break;
    case ScoresButton:
        PlayCue(Cue::Click);
        KDisplayWindow::RequestQuit();
        screen.openScoresOnExit = 1;
        break;
    case QuitButton:
        screen.quitRequested = 1;
        break;
    }
}

void ModeClick(int button) {
    PlayCue(Cue::Click);
    FadeOutScreen();
    if (button >= TimeAttackButton && button <= PuzzleButton) {
        settings.gameMode = static_cast<int16_t>(TimeAttack + button - TimeAttackButton);
        counters.puzzleLevel = 1;
        ShowScreen(Playing);
    } else if (button == BackButton) {
        ShowScreen(MainMenu);
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
    case TutorialButton:
        PlayCue(Cue::Click);
        screen.tutorialRunning = 1;
        screen.tutorialStart = NowStamp();
        WaitMouseRelease();
        PlayCue(Cue::Clear);
        break;
    case RestartButton:
        counters.boardReady = 0; // the next frame sets up a new game
        PlayCue(Cue::Swirl);
        WaitMouseRelease();
        break;
    case QuitGameButton:
        PlayCue(Cue::Click);
        KGraphic::ResetWorldView();
        PlayCue(Cue::Spin);
        FadeOutScreen();
        ShowScreen(MainMenu);
        break;
    case SpinCounterClockwiseButton:
        Turn(SpinCounterClockwise);
        break;
    case SpinClockwiseButton:
        Turn(SpinClockwise);
        break;
    default:
        if (button >= SlideLeftButtons && button < SlideRightButtons)
            Slide(button - SlideLeftButtons, SlideLeft);
        if (button >= SlideRightButtons && button < PlayButtonCount)
            Slide(button - SlideRightButtons, SlideRight);
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
    const int row = buttons.keyBoardRow;
    switch (press.action) {
    case KInputAction::Up:
        buttons.keyBoardRow = static_cast<int16_t>((row + 8) % 9);
        return;
    case KInputAction::Down:
        buttons.keyBoardRow = static_cast<int16_t>((row + 1) % 9);
        return;
    default:
        break;
    }
    SetBarByKey(press.keyCode);
    if (board.spinState != NoSpin) return; // as for clicks
    if (press.action == KInputAction::Left) PlayClick(SlideLeftButton(row));
    if (press.action == KInputAction::Right) PlayClick(SlideRightButton(row));
    if (press.action == KInputAction::TurnLeft || press.keyCode == kKeyQ)
        PlayClick(SpinCounterClockwiseButton);
    if (press.action == KInputAction::TurnRight || press.keyCode == kKeyE)
        PlayClick(SpinClockwiseButton);
    if (press.keyCode == kKeyR) PlayClick(RestartButton);
    if (press.keyCode == kKeyT) PlayClick(TutorialButton);
    if (press.action == KInputAction::Back) PlayClick(QuitGameButton);
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
            press = AsPlayKey(press);
            FollowKeyHighlight(press);
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
        if (buttons.pointerMoved && IsSlideButton(pointed))
            buttons.keyBoardRow = static_cast<int16_t>((pointed - SlideLeftButtons) % kBoardSize);
        ReadSettingBars(click, buttons.mouseX, buttons.mouseY);
        if (click && pointed > 0 && board.spinState == NoSpin) PlayClick(pointed);
        break;
    }
    if (buttons.pointerMoved) keyHighlight = KeyHighlight::None;
    if (state == screen.screenState) HandlePresses();
}
