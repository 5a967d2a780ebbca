// The screen machine: the per-frame dispatch to the current screen, the
// fade between screens, and waiting for a click to end. Screens change
// through ShowScreen (game/screen_switch.h).
#pragma once

// Updates and draws the current screen for one frame.
void UpdateScreen();
// Shrinks and fades the last shown frame to the clear colour in 40 steps.
void FadeOutScreen();
// Serves the window until the left mouse button is up (or the window closes),
// so one click acts once.
void WaitMouseRelease();
