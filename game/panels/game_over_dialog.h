// The game-over dialog: asks the score server whether the result enters its
// table, shows the answer over the frozen play screen, takes the player's
// name and submits it.
#pragma once
#include <cstdint>

// Runs the whole sequence and returns when the dialog is closed (Enter when
// the result was accepted; Enter or a click when not; or the window closing).
// The result itself is read from the game state by the protocol.
void ShowGameOver(int16_t gameMode, int16_t difficulty, int32_t result);
