// Once per frame: which button the pointer is over, and what a click on it
// does on the current screen. On the play screen also the setting bars.
#pragma once

void HandleInput();
