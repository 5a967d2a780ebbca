// gfx/logo.jpg: the intro picture, faded in and out on white.
#include "sheets.h"

#include "ball_painter.h"
#include "layout.h"
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
    paint(c, all, disc(320, 240, 300), radial(320, 230, 300, 240, rgb(0xffffff), rgb(0xeef3fb)));
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
