#include "game/buttons.h"

#include "framework/display/KGraphic.h"
#include "game/rules/game_state.h"
#include "game/panels/sound_cues.h"
#include "game/sprite_table.h"

ButtonState buttons;

void SetButton(int index, int16_t srcX, int16_t srcY, int16_t width, int16_t height, int16_t dstX,
               int16_t dstY, int16_t enabled, int16_t hoverDraw, int16_t sprite) {
    if (index < 0 || index >= static_cast<int>(buttons.rows.size())) return;
    buttons.rows[index] =
        ButtonRow{srcX, srcY, width, height, dstX, dstY, enabled, hoverDraw, sprite};
}

void DisableAllButtons() {
    for (auto& row : buttons.rows)
        row.enabled = -1;
    buttons.keyButtonCount = 0;
    buttons.keysLead = false;
    buttons.pointerX = buttons.pointerY = -1;
}

namespace {

// Keys choose among rows 1 .. count, starting on the first, lit silently.
void StartKeyChoice(int16_t count) {
    buttons.keyButtonCount = count;
    buttons.focusedButton = 1;
    buttons.keysLead = true;
    buttons.hoveredButton = 0;
    buttons.lastHoveredButton = 1;
}

} // namespace

void SetDifficultyButton() {
    switch (settings.difficulty) {
    case 2:
        SetButton(2, 256, 48, 256, 16, 198, 346, 1, 1, 7);
        break;
    case 3:
        SetButton(2, 0, 48, 256, 16, 198, 346, 1, 1, 7);
        break;
    default:
        SetButton(2, 0, 162, 256, 32, 198, 336, 1, 1, 3);
        break;
    }
}

void SetMenuButtons() {
    SetButton(1, 0, 128, 256, 32, 198, 302, 1, 1, 3);
    SetDifficultyButton();
    SetButton(3, 0, 192, 256, 32, 198, 366, 1, 1, 3);
    SetButton(4, 0, 224, 256, 32, 198, 398, 1, 1, 3);
    buttons.buttonCount = 5;
    StartKeyChoice(4);
}

void SetModeButtons() {
    SetButton(1, 158, 69, 354, 42, 220, 64, 1, 1, 5);
    SetButton(2, 158, 179, 354, 42, 220, 183, 1, 1, 5);
    SetButton(3, 158, 292, 354, 38, 220, 305, 1, 1, 5);
    SetButton(4, 0, 471, 512, 31, 70, 435, 1, 1, 5);
    buttons.buttonCount = 5;
    StartKeyChoice(4);
}

void SetPlayButtons() {
    SetButton(1, 155, 322, 120, 25, 12, 315, 1, 1, 6);
    SetButton(2, 155, 352, 120, 25, 12, 345, 1, 1, 6);
    SetButton(3, 155, 382, 120, 25, 12, 375, 1, 1, 6);
    SetButton(6, 302, 323, 86, 67, 170, 20, 1, 1, 6);
    SetButton(7, 388, 323, 86, 67, 535, 20, 1, 1, 6);
    for (int16_t r = 0; r < 9; ++r) {
        auto y = static_cast<int16_t>(87 + 34 * r);
        SetButton(8 + r, 320, static_cast<int16_t>(8 + 34 * r), 32, 33, 190, y, 1, 1, 6);
        SetButton(17 + r, 350, static_cast<int16_t>(8 + 34 * r), 32, 33, 560, y, 1, 1, 6);
    }
    buttons.buttonCount = 26;
    buttons.cursorRow = 0;
}

int16_t ButtonAt(int mx, int my) {
    for (int i = 1; i < buttons.buttonCount && i < static_cast<int>(buttons.rows.size()); ++i) {
        const ButtonRow& b = buttons.rows[i];
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
    const ButtonRow& b = buttons.rows[buttons.hoveredButton];
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
