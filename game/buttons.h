// The clickable rectangles of the current screen: which one the pointer is
// over, which one the keys have chosen, the lit one's sound and picture.
#pragma once
#include <array>
#include <cstdint>

struct ButtonRow {
    int16_t srcX = 0, srcY = 0; // picture's corner in its image
    int16_t width = 0, height = 0;
    int16_t dstX = 0, dstY = 0; // corner on the screen
    int16_t enabled = -1;       // hit-tested only when above 0
    int16_t hoverDraw = 0;      // 1: drawn lit while hovered
    int16_t sprite = 0;         // sprite table entry holding the picture
};

struct ButtonState {
    std::array<ButtonRow, 50> rows{}; // row 0 is never used
    int16_t buttonCount = 0;          // rows 1 .. buttonCount - 1 are tested
    int16_t hoveredButton = 0;        // lit: the pointer's button or the keys' choice
    int16_t lastHoveredButton = 0;
    int16_t pointerButton = 0; // under the pointer
    int16_t mouseX = 0, mouseY = 0;
    // Keys walk rows 1 .. keyButtonCount (0: not on this screen). The keys'
    // choice is lit from the screen's start and after each key, until the
    // pointer moves; a button the pointer moves onto becomes the choice.
    int16_t keyButtonCount = 0;
    int16_t focusedButton = 1;
    bool keysLead = false;
    bool pointerMoved = false;
    int16_t pointerX = -1, pointerY = -1; // at the last update; -1: none yet
    int16_t cursorRow = 0;                // the play screen's row cursor, 0 top
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
// Updates the lit button from the pointer and the keys' choice; plays the
// hover sound when it changes.
void UpdateHover(int mx, int my);
// Moves the keys' choice by `step` rows from the lit one, wrapping, and
// lights it; with nothing lit, lights the choice where it is.
void MoveFocus(int step);
// The hovered button's picture, opaque, where its hoverDraw asks for it.
void DrawHoveredButton();
// The frame that marks what the keys act on: two pixels wide, warm yellow,
// around the rectangle from (x1, y1) to (x2, y2).
void DrawKeyFrame(int x1, int y1, int x2, int y2);
