#include "backdrop.h"

#include "game/sheet_layout.h"
#include "palette.h"

#include <cmath>

namespace art {

Color playBackground(int x, int y) {
    float t = clamp01(y / 480.0f);
    Color c = mix(palette::kNightTop, palette::kNightBottom, std::pow(t, 0.8f));
    // A quiet lattice of faint dots; it repeats every 32 pixels like the strip.
    int u = ((x - layout::kStripFirstX) % 32 + 32) % 32, v = ((y % 32) + 32) % 32;
    float du = u + 0.5f - 16, dv = v + 0.5f - 16;
    float dot = clamp01(1.6f - std::sqrt(du * du + dv * dv));
    return mix(c, palette::kIce, dot * 0.10f);
}

Color sidebarBackground(int x, int y) {
    float t = clamp01(y / 480.0f);
    Color c = mix(palette::kPlateTop, palette::kPlateBottom, t);
    c = mix(c, palette::kNightBottom, clamp01(x / 150.0f) * 0.35f);
    if (x >= 146) c = mix(palette::kGoldDeep, palette::kGold, 0.3f + 0.4f * (1 - t));
    if (x >= 148) c = palette::kNightDeep;
    return c;
}

Canvas playBackgroundAt(int x, int y, int w, int h) {
    Canvas c(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            c.set(i, j, playBackground(x + i, y + j));
    return c;
}

} // namespace art
