// The screens the preview composes, each drawn in the game's order from
// the generated sheets.
#pragma once

#include "compositor.h"

namespace preview {

struct Sheets {
    Image play, font2, font, menu, back, select, logo, torv, pointer, pointer2, pointerShadow;
    BitmapFont large() const { return {&font2, LargeFontGlyphs}; }
    BitmapFont small() const { return {&font, SmallFontGlyphs}; }
};

Screen introScreen(const Sheets& s);
// hovered: menu item 0..4; difficulty 1..3.
Screen menuScreen(const Sheets& s, int hovered, int difficulty, int creditPage);
Screen selectScreen(const Sheets& s, int hovered);
// What lies over a game in progress: a hovered slide arrow with its help,
// the first tutorial page with its blinking marks, or the game-over dialog.
enum class PlayOverlay { HoveredArrow, Tutorial, GameOver };
Screen playScreen(const Sheets& s, int mode, PlayOverlay overlay);

} // namespace preview
