// The player's two moves: sliding a row one cell (the ball that leaves at one
// end comes back at the other) and turning the whole board a quarter turn.
#pragma once
#include "game/rules/game_state.h"

// Slides `row` (0..8, top to bottom) when the board allows it; returns
// whether it started. The cells move at once; the picture glides after.
bool StartSlide(int row, SlideDirection direction);
// One frame of the running slide's animation (one pixel per step).
void StepSlide();
// Ends the slide once it has moved 34 pixels (after its last picture).
void EndSlideIfDone();

// Starts a quarter turn when the mode can pay for it; returns whether it did.
bool StartSpin(SpinState direction);
// One frame of the running turn: zoom, angle, cost ticks, and at 90 degrees
// the board data turns.
void StepSpin();

// The exact index mappings of a quarter turn, on any board.
Board RotatedClockwise(const Board& b);
Board RotatedCounterClockwise(const Board& b);
