// Watching a recorded game on the real play screen: its frames run through
// the same rules and drawing as when it was played, at its own pace or
// faster or slower. Space (or a gamepad's A) pauses, Right plays faster,
// Left slower, Q quits; at the end the last board stays on screen.
#pragma once
#include <string>

// Reads the recording at `path`; on failure prints why and returns false.
// Before any window opens, so a bad file is refused at once.
bool LoadReplayToWatch(const std::string& path);
// Turns the play screen over to the loaded recording.
void StartWatching();
bool Watching();
// One display frame: the recorded frames now due, drawn; then the keys.
void RunWatchingFrame();
