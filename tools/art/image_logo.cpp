// gfx/logo.jpg: the intro picture, faded in and out on white.
#include "sheets.h"

#include "ball_painter.h"
#include "game/sheet_layout.h"
#include "palette.h"
#include "sheet_image.h"
#include "shapes.h"
#include "text_render.h"
#include "title.h"

namespace art {

Image introLogo() {
    using namespace layout;
    Canvas c(kLogoWidth, kLogoHeight, palette::kWhite);
    Box all{0, 0, kLogoWidth, kLogoHeight};
    // A faint cool glow behind the name, white at the edges where the fade meets the screen.
    paint(
        c, all, [](float, float) { return 1.0f; },
        radial(320, 250, 330, 210, rgb(0xe6eefa), rgb(0xffffff)));
    paintTitle(c, 320, 240, 78, true);
    for (int code = 1; code <= 8; ++code) {
        float x = 320 + (code - 4.5f) * 36;
        shadow(c, {static_cast<int>(x) - 20, 296, 40, 30}, disc(x, 310, 11), 0, 0, 3,
               withAlpha(rgb(0x1a2a55), 0.25f));
        paintBall(c, code, x, 300, 13, false);
    }
    TextMask t = sans().render("SLIDE  \xb7  TURN  \xb7  MATCH", {15, 1, 2.5f, false});
    drawText(c, t, centredPen(t, 0, kLogoWidth), 356, solid(rgb(0x6a7a9a)));
    return toImage(c);
}

} // namespace art
