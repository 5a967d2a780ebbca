// The screen after the tenth Puzzle level: a message over the frozen play
// screen until Space, Return, a gamepad's A or the mouse button is pressed.
#pragma once

// Returns once the player dismissed it (or the window was closed); a mouse
// click that dismissed it is over before it returns, so it acts on nothing
// underneath.
void ShowCompletionScreen();
