// The main menu: its background picture (gfx/back.jpg) and its items
// (gfx/menu.jpg), painted from one scene so that the pieces match.
#pragma once

#include "canvas.h"

namespace art {

// The whole menu background in back.jpg's own coordinates (580 x 490,
// placed at screen (30, -10)), with the unlit menu on its plate.
Canvas menuBackgroundArt();
// The 256 x 128 menu picture with item 1..4 lit (0: none) and the
// difficulty 1..3 shown in the second item.
Canvas menuItems(int litItem, int difficulty);

} // namespace art
