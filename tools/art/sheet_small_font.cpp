// gfx/font.tga: the small font, white with a one-pixel dark shadow so that
// it reads on any background.
#include "sheets.h"

#include "glyph_cells.h"
#include "game/sheet_layout.h"
#include "palette.h"
#include "sheet_image.h"

namespace art {

namespace {

// Rows from a cell's top to the baseline; capitals fill the rows above it.
constexpr int kBaseline = 9;

// The double quote's left tick is also the apostrophe, whose cell is the
// left part of the quote's cell: both are drawn as ticks, not from the font.
Mask quoteTicks(const GlyphRec& g) {
    Mask m(g.x2 - g.x1, g.y2 - g.y1);
    for (int tick : {1, 4})
        for (int y = 0; y < 4; ++y)
            m.ref(tick, y) = y == 3 ? 0.5f : 1.0f;
    return m;
}

} // namespace

Image smallFontSheet() {
    Canvas sheet(layout::kSmallFontSize, layout::kSmallFontSize);
    const CellStyle style{&sansBold(), {12.3f, 1, 0, true}, kBaseline, 1, 1};
    for (const GlyphRec* g = SmallFontGlyphs; g->ch; ++g) {
        if (g->ch == ' ' || g->ch == '\'') continue;
        Mask m = g->ch == '"' ? quoteTicks(*g) : glyphInCell(*g, style);
        Canvas cell(m.w, m.h);
        paintMask(cell, m, 1, 1, solid(withAlpha(rgb(0x02040c), 0.9f)));
        paintMask(cell, m, 0, 0, solid(palette::kWhite));
        sheet.copy(cell, 0, 0, m.w, m.h, g->x1, g->y1);
    }
    return toImage(sheet);
}

} // namespace art
