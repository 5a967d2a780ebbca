// The screen machine: what each screen loads, the per-frame dispatch to the
// current screen, the fade between screens, and waiting for a click to end.
#pragma once

// Frees the previous screen's images, buttons and music and loads the
// current screen's. Always succeeds; a missing file only leaves a gap.
void LoadScreen();
// Updates and draws the current screen for one frame.
void UpdateScreen();
// Shrinks and fades the last shown frame to the clear colour in 40 steps.
void FadeOutScreen();
// Serves the window until the left mouse button is up (or the window closes),
// so one click acts once.
void WaitMouseRelease();
// Frees every music slot (stopping its worker first).
void FreeMusic();
