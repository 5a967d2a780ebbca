// Changing screens: the one way to another screen. It frees the last
// screen's images, buttons and music and loads the new one's, so a screen
// that hands over (the intro, a play screen without its level) needs
// nothing else of the screen machine.
#pragma once
#include "game/screen_state.h"

// Shows `state` from the next frame on. Always succeeds; a missing file
// only leaves a gap.
void ShowScreen(ScreenState state);
// Frees every music slot (stopping its worker first).
void FreeMusic();
