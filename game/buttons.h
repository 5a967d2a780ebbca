// The clickable rectangles of the current screen: which one the pointer is
// over, its hover sound, its lit picture, and what a click on it does.
#pragma once
#include <array>
#include <cstdint>

struct ButtonRow {
    int16_t srcX = 0, srcY = 0;   // picture's corner in its image
    int16_t width = 0, height = 0;
    int16_t dstX = 0, dstY = 0;   // corner on the screen
    int16_t enabled = -1;         // hit-tested only when above 0
    int16_t hoverDraw = 0;        // 1: drawn lit while hovered
    int16_t sprite = 0;           // sprite table entry holding the picture
};

struct ButtonState {
    std::array<ButtonRow, 50> rows{}; // row 0 is never used
    int16_t buttonCount = 0;          // rows 1 .. buttonCount - 1 are tested
    int16_t hoveredButton = 0;
    int16_t lastHoveredButton = 0;
    int16_t mouseX = 0, mouseY = 0;
};
extern ButtonState buttons;

void SetButton(int index, int16_t srcX, int16_t srcY, int16_t width, int16_t height, int16_t dstX,
               int16_t dstY, int16_t enabled, int16_t hoverDraw, int16_t sprite);
void DisableAllButtons();
// Each screen's rows.
void SetMenuButtons();
void SetDifficultyButton(); // the menu's row 2 for the current difficulty
void SetModeButtons();
void SetPlayButtons();

// The first enabled row under (mx, my), edges included; 0 for none.
int16_t ButtonAt(int mx, int my);
// Updates hoveredButton from the pointer; plays the hover sound on a change.
void UpdateHover(int mx, int my);
// The hovered button's picture, opaque, where its hoverDraw asks for it.
void DrawHoveredButton();
