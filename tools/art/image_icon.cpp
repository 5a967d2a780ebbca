// gfx/icon.tga: the window icon, three balls in a cluster.
#include "sheets.h"

#include "ball_painter.h"
#include "game/sheet_layout.h"
#include "sheet_image.h"

namespace art {

Image windowIcon() {
    Canvas c(layout::kIconSize, layout::kIconSize);
    paintBall(c, 6, 43, 41, 17, false);
    paintBall(c, 4, 21, 41, 17, false);
    paintBall(c, 1, 32, 22, 17, false);
    return toImage(c);
}

} // namespace art
