#include "game/buttons.h"

#include "framework/display/KGraphic.h"
#include "game/rules/game_state.h"
#include "game/rules/cues.h"
#include "game/sprite_table.h"

ButtonState buttons;

void SetButton(int place, layout::Rect picture, layout::Point at, int16_t sprite) {
    if (place < 0 || place >= static_cast<int>(buttons.table.size())) return;
    auto n = [](int v) { return static_cast<int16_t>(v); };
    buttons.table[place] =
        Button{n(picture.x1), n(picture.y1), n(picture.w()), n(picture.h()), n(at.x), n(at.y), 1, 1,
               sprite};
}

void DisableAllButtons() {
    for (auto& button : buttons.table)
        button.enabled = -1;
    buttons.keyButtonCount = 0;
    buttons.keysLead = false;
    buttons.pointerX = buttons.pointerY = -1;
}

namespace {

// Keys choose among places 1 .. count, starting on the first, lit silently.
void StartKeyChoice(int16_t count) {
    buttons.keyButtonCount = count;
    buttons.focusedButton = 1;
    buttons.keysLead = true;
    buttons.hoveredButton = 0;
    buttons.lastHoveredButton = 1;
}

} // namespace

void SetDifficultyButton() {
    using namespace layout;
    switch (settings.difficulty) {
    case 2:
        SetButton(DifficultyButton, kDifficultyLitAverage, kDifficultyLitAt, kLargeFontSprite);
        break;
    case 3:
        SetButton(DifficultyButton, kDifficultyLitHard, kDifficultyLitAt, kLargeFontSprite);
        break;
    default:
        SetButton(DifficultyButton, kMenuLitDifficulty, kMenuLitAt[1], kMenuSprite);
        break;
    }
}

void SetMenuButtons() {
    using namespace layout;
    SetButton(NewGameButton, kMenuLitNewGame, kMenuLitAt[0], kMenuSprite);
    SetDifficultyButton();
    SetButton(ScoresButton, kMenuLitScores, kMenuLitAt[2], kMenuSprite);
    SetButton(QuitButton, kMenuLitQuit, kMenuLitAt[3], kMenuSprite);
    buttons.buttonCount = MenuButtonCount;
    StartKeyChoice(QuitButton);
}

void SetModeButtons() {
    using namespace layout;
    for (int mode : {TimeAttack, TopScore, Puzzle})
        SetButton(TimeAttackButton + mode - TimeAttack, modeNameLit(mode), modeNameLitAt(mode),
                  kSelectSprite);
    SetButton(BackButton, kBackButtonLit, kBackButtonAt, kSelectSprite);
    buttons.buttonCount = ModeButtonCount;
    StartKeyChoice(BackButton);
}

void SetPlayButtons() {
    using namespace layout;
    for (int i : {0, 1, 2})
        SetButton(TutorialButton + i, litButton(i), litButtonAt(i), kPlaySprite);
    SetButton(SpinCounterClockwiseButton, kSpinCcw, kSpinCcwAt, kPlaySprite);
    SetButton(SpinClockwiseButton, kSpinCw, kSpinCwAt, kPlaySprite);
    for (int row = 0; row < kBoardSize; ++row) {
        SetButton(SlideLeftButton(row), slideLeft(row), slideLeftAt(row), kPlaySprite);
        SetButton(SlideRightButton(row), slideRight(row), slideRightAt(row), kPlaySprite);
    }
    buttons.buttonCount = PlayButtonCount;
    buttons.keyBoardRow = 0;
}

int16_t ButtonAt(int mx, int my) {
    for (int i = 1; i < buttons.buttonCount && i < static_cast<int>(buttons.table.size()); ++i) {
        const Button& b = buttons.table[i];
        if (b.enabled > 0 && mx >= b.dstX && mx <= b.dstX + b.width && my >= b.dstY &&
            my <= b.dstY + b.height)
            return static_cast<int16_t>(i);
    }
    return 0;
}

namespace {

void Light(int16_t button) {
    if (buttons.hoveredButton > 0) buttons.lastHoveredButton = buttons.hoveredButton;
    buttons.hoveredButton = button;
    if (button > 0 && button != buttons.lastHoveredButton) PlayCue(Cue::Over);
}

} // namespace

void UpdateHover(int mx, int my) {
    const bool firstLook = buttons.pointerX < 0;
    buttons.pointerMoved = !firstLook && (mx != buttons.pointerX || my != buttons.pointerY);
    buttons.pointerX = static_cast<int16_t>(mx);
    buttons.pointerY = static_cast<int16_t>(my);
    buttons.pointerButton = ButtonAt(mx, my);
    // A pointer resting on a button as the screen starts lights it, as ever.
    if (buttons.pointerMoved || (firstLook && buttons.pointerButton > 0)) {
        buttons.keysLead = false;
        if (buttons.pointerButton > 0 && buttons.pointerButton <= buttons.keyButtonCount)
            buttons.focusedButton = buttons.pointerButton;
    }
    Light(buttons.keysLead ? buttons.focusedButton : buttons.pointerButton);
}

void MoveFocus(int step) {
    const int count = buttons.keyButtonCount;
    if (count <= 0) return;
    // With nothing lit, the first key only lights the choice.
    const int lit = buttons.hoveredButton;
    if (lit >= 1 && lit <= count)
        buttons.focusedButton = static_cast<int16_t>((lit - 1 + step + count) % count + 1);
    buttons.keysLead = true;
    Light(buttons.focusedButton);
}

void DrawHoveredButton() {
    if (buttons.hoveredButton <= 0) return;
    const Button& b = buttons.table[buttons.hoveredButton];
    if (b.hoverDraw != 1) return;
    KGraphic* image = spriteTable[b.sprite].image;
    if (!image) return;
    image->Blit(b.srcX, b.srcY, b.srcX + b.width, b.srcY + b.height, b.dstX, b.dstY, false, false);
}

void DrawKeyFrame(int x1, int y1, int x2, int y2) {
    const float r = 1.0f, g = 0.85f, b = 0.2f;
    const auto fx1 = static_cast<float>(x1), fy1 = static_cast<float>(y1);
    const auto fx2 = static_cast<float>(x2), fy2 = static_cast<float>(y2);
    KGraphic::FillRect(fx1, fy1, fx2, fy1 + 2, r, g, b, 1);
    KGraphic::FillRect(fx1, fy2 - 2, fx2, fy2, r, g, b, 1);
    KGraphic::FillRect(fx1, fy1, fx1 + 2, fy2, r, g, b, 1);
    KGraphic::FillRect(fx2 - 2, fy1, fx2, fy2, r, g, b, 1);
}
