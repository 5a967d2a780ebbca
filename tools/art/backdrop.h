// The backgrounds that several sheets must reproduce exactly: pieces drawn
// opaque over them carry a copy of what lies behind them on the screen.
#pragma once

#include "canvas.h"

namespace art {

// The play screen's field, as the tiled strip shows it at screen pixel (x, y).
Color playBackground(int x, int y);
// The left column of the play screen (x 0..150): the sidebar plate.
Color sidebarBackground(int x, int y);
// A canvas of w x h whose pixel (0, 0) shows screen pixel (x, y) of the field.
Canvas playBackgroundAt(int x, int y, int w, int h);

} // namespace art
