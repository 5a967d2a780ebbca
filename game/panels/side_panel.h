// Everything on the playing screen that is not the board: the mode box with
// the clock, points or level; the counter box; the options column; the help
// lines along the bottom edge; and the quick tutorial. Drawn every playing
// frame after the board.
#pragma once

// Also steps the tutorial (which ends itself after 30 seconds) and ticks the
// TimeAttack clock right after drawing it, so both run only while the panel
// is drawn.
void DrawPanel();
