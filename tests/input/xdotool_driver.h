// Real input for the input tests: xdotool commands against the test's own
// X server, and polling until a state holds (events reach the window a
// moment after xdotool returns, and later still on a busy machine).
#pragma once
#include "display/display_fixture.h" // PollUntil, BrightPixelsOnScreen

#include <string>

// Runs `xdotool <arguments>` and waits for it to finish.
void Xdotool(const std::string& arguments);
// Gives the named window the keyboard, as XTEST keys reach only the
// focused window.
void FocusWindow(const std::string& title);
