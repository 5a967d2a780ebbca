// The board's own rules: random fill, line search and scoring, vanishing,
// falling, the drop-in of new balls, and the tests that end a game or a
// Puzzle level. Everything steps on the millisecond clock and gameSpeed.
#pragma once
#include "game/rules/game_state.h"

// Game-end tests, Puzzle level advance (through SetupGame in modes.h),
// line search, Puzzle moves test. Called while no slide, vanishing or fall
// runs.
void ScanBoard();

// One frame of the vanishing animation (while `clearing`).
void StepVanish();

// Starts a fall when a ball has an empty cell below it and nothing slides.
// Runs where the board is drawn each frame.
void StartFallIfNeeded();

// A ball has an empty cell right below it.
bool BallCanFall();

// One frame of the falling (while `fallOffset` > 0 and the board does not turn).
void StepFall();

// One gravity pass: each ball falls at most one cell.
void GravityPass();

// Balls of each code 1..8 on the board (index 0 unused).
std::array<int, 9> CountBalls();
bool BoardHasBalls();

// Milliseconds that must be exceeded before the next step, per animation.
int FallInterval();     // (5 - speed) x 5
int VanishInterval();   // (6 - speed) x 20
int SlideInterval();    // (5 - speed) x 6
int SpinCostInterval(); // (6 - speed) x 25
