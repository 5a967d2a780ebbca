// gfx/TORV.tga: the framework's own splash mark, an orbit around its four
// letters; shown opaque on the menu's black band.
#include "sheets.h"

#include "game/sheet_layout.h"
#include "palette.h"
#include "sheet_image.h"
#include "shapes.h"
#include "text_render.h"

#include <cmath>

namespace art {

Image frameworkMark() {
    const int n = layout::kSplashSize;
    Canvas mark(n, n);
    Box all{0, 0, n, n};
    Coverage badge = roundRect(2, 2, n - 2.0f, n - 2.0f, 11);
    paint(mark, all, badge, linear(0, 2, rgb(0x4a6a9a), 0, n - 2.0f, rgb(0x141d33)));
    paint(mark, all, roundRect(4, 4, n - 4.0f, n * 0.45f, 9),
          solid(withAlpha(palette::kWhite, 0.12f)));
    // The orbit: a tilted ellipse with a small moon riding on it.
    paint(
        mark, all,
        [](float x, float y) {
            float u = (x - 25) * 0.94f + (y - 25) * 0.34f, v = -(x - 25) * 0.34f + (y - 25) * 0.94f;
            float d = std::hypot(u / 21, v / 8.5f);
            return clamp01((0.07f - std::abs(d - 1)) * 9);
        },
        solid(withAlpha(palette::kIce, 0.8f)));
    paint(mark, all, disc(7.5f, 15.6f, 3.2f), solid(palette::kGoldLight));
    TextMask t = sansBold().render("TORV", {14, 0.9f, 0.4f, true});
    drawTextGlow(mark, t, centredPen(t, 0, n), 30, 1.2f, withAlpha(palette::kBlack, 0.9f));
    drawText(mark, t, centredPen(t, 0, n), 30,
             linear(0, 19, palette::kWhite, 0, 30, rgb(0xc9d6ea)));
    paint(mark, all, roundRectFrame(2, 2, n - 2.0f, n - 2.0f, 11, 1.3f),
          linear(0, 0, rgb(0xdfe8f5), n, n, rgb(0x5a6a85)));
    // Drawn opaque: the colour around the badge is the band's black.
    Canvas opaque(n, n, palette::kBlack);
    opaque.draw(mark, 0, 0);
    Image img = toImage(opaque);
    Image alpha = toImage(mark);
    for (std::size_t i = 3; i < img.rgba.size(); i += 4)
        img.rgba[i] = alpha.rgba[i];
    return img;
}

} // namespace art
