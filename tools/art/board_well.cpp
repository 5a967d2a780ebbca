#include "board_well.h"

#include "backdrop.h"
#include "game/sheet_layout.h"
#include "palette.h"
#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace art {

Canvas boardWell() {
    using namespace layout;
    const int n = kBoardWell.w();
    Canvas c = playBackgroundAt(kBoardWellAt.x, kBoardWellAt.y, n, n);
    Box all{0, 0, n, n};
    const float e = 1.5f, r = 16;
    shadow(c, all, roundRect(e, e, n - e, n - e, r), 0, 0, 2.0f,
           withAlpha(palette::kNightDeep, 0.9f));
    // Gold rim, lit from the top left.
    paint(c, all, roundRect(e, e, n - e, n - e, r), [=](float x, float y) {
        float t = clamp01((x + y) / (2.0f * n));
        Color stops[] = {palette::kGoldLight, palette::kGold, palette::kGoldDeep, rgb(0x5a3a0c)};
        return ramp(stops, t);
    });
    // The bowl: deep blue, darkest at its rim, a little light pooled in the middle.
    const float in = 5;
    paint(c, all, roundRect(in, in, n - in, n - in, r - 3), [=](float x, float y) {
        float dx = (x - n / 2.0f) / (n / 2.0f), dy = (y - n / 2.0f) / (n / 2.0f);
        float d =
            clamp01(std::max(std::abs(dx), std::abs(dy)) * 0.6f + (dx * dx + dy * dy) * 0.25f);
        return mix(rgb(0x163068), rgb(0x060e28), d);
    });
    // Inner shadow under the upper and left rim.
    paint(c, all, roundRect(in, in, n - in, n - in, r - 3), [=](float x, float y) {
        float edge = std::min(x - in, y - in);
        return withAlpha(palette::kBlack, 0.55f * clamp01(1 - edge / 9));
    });
    paint(c, all, roundRectFrame(in, in, n - in, n - in, r - 3, 1),
          solid(withAlpha(palette::kBlack, 0.8f)));
    return c;
}

} // namespace art
