// The glyph layouts of the game's two bitmap fonts: for each character, its
// rectangle in the font image (x1..x2, y1..y2, right and bottom exclusive),
// the pen advance after it and its nominal height. Glyphs hang from one top
// line: every rectangle's top edge is drawn at the text's y. The font images
// are generated to these tables (tools/art), so this is the one copy.
#pragma once

#include <cstdint>

struct GlyphRec {
    std::uint8_t ch; // 0 ends a table
    std::int16_t x1;
    std::int16_t y1;
    std::int16_t x2;
    std::int16_t y2;
    std::int16_t advance;
    std::int16_t height; // informative; drawing and measuring ignore it
};

// Capitals, digits and signs; image gfx/font2.jpg.
extern const GlyphRec LargeFontGlyphs[];
// Capitals, lower case, digits and signs; image gfx/font.tga.
extern const GlyphRec SmallFontGlyphs[];
