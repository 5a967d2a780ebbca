// The play screen's side panel: mode box with the clock, score or level,
// the counter box, the options column, the quick tutorial and the hints.
#pragma once

void DrawPanel();
