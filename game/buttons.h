// The clickable rectangles of the current screen: which one the pointer is
// over, which one the keys have chosen, the lit one's sound and picture.
#pragma once
#include "game/sheet_layout.h"

#include <array>
#include <cstdint>

// Each screen's buttons by their place in the table (place 0 is never
// used). Keys walk the menu and the mode cards in this order; the mode
// cards stand in GameMode order; the play screen's slide buttons run down
// the board's rows.
enum MenuButton : int16_t {
    NewGameButton = 1,
    DifficultyButton = 2,
    ScoresButton = 3,
    QuitButton = 4,
    MenuButtonCount = 5,
};
enum ModeButton : int16_t {
    TimeAttackButton = 1,
    TopScoreButton = 2,
    PuzzleButton = 3,
    BackButton = 4,
    ModeButtonCount = 5,
};
enum PlayButton : int16_t {
    TutorialButton = 1,
    RestartButton = 2,
    QuitGameButton = 3,
    SpinCounterClockwiseButton = 6,
    SpinClockwiseButton = 7,
    SlideLeftButtons = 8,   // one a board row, 8..16
    SlideRightButtons = 17, // 17..25
    PlayButtonCount = 26,
};
constexpr int SlideLeftButton(int row) {
    return SlideLeftButtons + row;
}
constexpr int SlideRightButton(int row) {
    return SlideRightButtons + row;
}
constexpr bool IsSpinButton(int button) {
    return button == SpinCounterClockwiseButton || button == SpinClockwiseButton;
}
constexpr bool IsSlideButton(int button) {
    return button >= SlideLeftButtons && button < PlayButtonCount;
}

struct Button {
    int16_t srcX = 0, srcY = 0; // picture's corner in its image
    int16_t width = 0, height = 0;
    int16_t dstX = 0, dstY = 0; // corner on the screen
    int16_t enabled = -1;       // hit-tested only when above 0
    int16_t hoverDraw = 0;      // 1: drawn lit while hovered
    int16_t sprite = 0;         // sprite table entry holding the picture
};

struct ButtonState {
    std::array<Button, 50> table{}; // place 0 is never used
    int16_t buttonCount = 0;        // places 1 .. buttonCount - 1 are tested
    int16_t hoveredButton = 0;      // lit: the pointer's button or the keys' choice
    int16_t lastHoveredButton = 0;
    int16_t pointerButton = 0; // under the pointer
    int16_t mouseX = 0, mouseY = 0;
    // Keys walk places 1 .. keyButtonCount (0: not on this screen). The keys'
    // choice is lit from the screen's start and after each key, until the
    // pointer moves; a button the pointer moves onto becomes the choice.
    int16_t keyButtonCount = 0;
    int16_t focusedButton = 1;
    bool keysLead = false;
    bool pointerMoved = false;
    int16_t pointerX = -1, pointerY = -1; // at the last update; -1: none yet
    int16_t keyBoardRow = 0;              // the board row the keys slide, 0 top
};
extern ButtonState buttons;

// An enabled button that lights with its picture: `picture` in the sprite
// entry's image, drawn with its corner at `at`.
void SetButton(int place, layout::Rect picture, layout::Point at, int16_t sprite);
void DisableAllButtons();
// Each screen's buttons.
void SetMenuButtons();
void SetDifficultyButton(); // the menu's difficulty button for the current one
void SetModeButtons();
void SetPlayButtons();

// The first enabled button under (mx, my), edges included; 0 for none.
int16_t ButtonAt(int mx, int my);
// Updates the lit button from the pointer and the keys' choice; plays the
// hover sound when it changes.
void UpdateHover(int mx, int my);
// Moves the keys' choice by `step` places from the lit one, wrapping, and
// lights it; with nothing lit, lights the choice where it is.
void MoveFocus(int step);
// The hovered button's picture, opaque, where its hoverDraw asks for it.
void DrawHoveredButton();
// The frame that marks what the keys act on: two pixels wide, warm yellow,
// around the rectangle from (x1, y1) to (x2, y2).
void DrawKeyFrame(int x1, int y1, int x2, int y2);
