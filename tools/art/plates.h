// Buttons and panels: dark glass plates that light up warm gold under the
// pointer, with their labels.
#pragma once

#include "canvas.h"

#include <string_view>

namespace art {

void paintPlate(Canvas& c, float x0, float y0, float x1, float y1, float radius, bool lit);
// A label centred between x0 and x1 on the baseline; dark on a lit plate.
void paintLabel(Canvas& c, std::string_view text, float size, int x0, int x1, int baseline,
                bool lit);
// Gold lettering with a soft shadow, for titles and names.
void paintGoldText(Canvas& c, std::string_view text, float size, int x0, int x1, int baseline,
                   float glow = 0);
// A thin gold line that fades out at both ends.
void paintHairline(Canvas& c, float x0, float x1, float y, float alpha = 0.8f);

} // namespace art
