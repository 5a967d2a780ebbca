// Real input for the input tests: xdotool commands against the test's own
// X server, and polling until a condition holds (events reach the window
// a moment after xdotool returns).
#pragma once
#include <functional>
#include <string>

// Runs `xdotool <arguments>` and waits for it to finish.
void Xdotool(const std::string& arguments);
// Gives the named window the keyboard, as XTEST keys reach only the
// focused window.
void FocusWindow(const std::string& title);
// Asks `condition` every few milliseconds until it holds, for at most a
// few seconds; returns whether it did.
bool PollUntil(const std::function<bool()>& condition);
