// Game set-up per mode and difficulty, and the TimeAttack clock. The
// board's rules call in here (a cleared Puzzle level sets up the next);
// nothing here calls the rules.
#pragma once

// Fills the board at random; only row 0 and column 0 can start with lines.
void NewBoard();

// Sets up a new game (or the current Puzzle level) for the chosen mode.
// Runs on the first playing frame after `boardReady` was cleared, and again
// when a Puzzle level is cleared.
void SetupGame();

// The TimeAttack clock: one second off per more-than-1000 ms, until the game
// is over. Called every playing frame right after the clock is drawn.
void TickTimeAttackClock();
