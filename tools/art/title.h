// The game's name as a logo: gold letters whose three O's are glossy balls.
#pragma once

#include "canvas.h"

namespace art {

// Centred on cx, capitals of height `cap` standing on the baseline.
// `dark` letters are for light backgrounds.
void paintTitle(Canvas& c, float cx, float baseline, float cap, bool dark = false);

} // namespace art
