// gfx/menu.jpg and gfx/back.jpg: the main menu's items and background.
#include "sheets.h"

#include "game/sheet_layout.h"
#include "menu_art.h"
#include "sheet_image.h"

namespace art {

Image menuSheet() {
    using namespace layout;
    Image sheet = toImage(Canvas(kMenuSize, kMenuSize, {0, 0, 0, 1}));
    putPiece(sheet, kMenuItems, menuItems(0, 1));
    // Each lit piece is the menu with that item lit, cut at the item's rows.
    const Rect lit[] = {kMenuLitNewGame, kMenuLitDifficulty, kMenuLitScores, kMenuLitQuit};
    for (int i = 0; i < 4; ++i)
        putPiece(sheet, lit[i], menuItems(i + 1, 1), 0, kMenuLitAt[i].y - kMenuAt.y);
    return sheet;
}

Image menuBackground() {
    return toImage(menuBackgroundArt());
}

} // namespace art
