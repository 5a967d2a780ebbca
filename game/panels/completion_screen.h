// The message over the frozen screen after the tenth Puzzle level, until
// Space or the mouse button.
#pragma once

void ShowCompletionScreen();
