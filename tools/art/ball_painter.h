// Glossy balls and the three frames of a ball bursting, each painted into
// a 40 x 40 tile with transparent edges.
#pragma once

#include "canvas.h"

namespace art {

// The ball of code 1..8 with its centre at (cx, cy) and the given radius.
// Each colour carries a faint mark of its own (ring, dot, star, ...).
void paintBall(Canvas& c, int code, float cx, float cy, float radius, bool withMark = true);
// A ball tile as the board draws it: 40 x 40, ball centred where the cells are.
Canvas ballTile(int code);
// Vanishing frame 0 (flash), 1 (sparkles), 2 (fading ring).
Canvas vanishTile(int frame);

} // namespace art
