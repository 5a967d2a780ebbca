#include "glyph_cells.h"

#include <cmath>

namespace art {

Mask glyphInCell(const GlyphRec& g, const CellStyle& style) {
    const int w = g.x2 - g.x1, h = g.y2 - g.y1;
    const int usable = w - style.reserveRight;
    const char text[2] = {static_cast<char>(g.ch), 0};
    TextStyle ts = style.text;
    TextMask t = style.font->render(text, ts);
    // Condense until the ink fits; a few rounds settle the rounding of the edges.
    for (int round = 0; round < 4 && t.mask.w > usable + style.cuttable; ++round) {
        ts.squeeze *= static_cast<float>(usable) / static_cast<float>(t.mask.w) * 0.98f;
        t = style.font->render(text, ts);
    }
    // Shorten what hangs below the cell, keeping the glyph's top where it was;
    // the faint row that round letters overshoot the baseline by is just cut.
    const int top = style.baseline - t.baseline, limit = h - style.reserveRight;
    if (top + t.mask.h > limit + 1 && t.mask.h > 0) {
        ts.stretch = static_cast<float>(limit - top) / static_cast<float>(t.mask.h);
        ts.rise = static_cast<float>(t.baseline) * (1 - ts.stretch);
        t = style.font->render(text, ts);
    }
    Mask cell(w, h);
    int ox = static_cast<int>(std::floor((usable - t.mask.w) / 2.0)),
        oy = style.baseline - t.baseline;
    for (int y = 0; y < t.mask.h; ++y)
        for (int x = 0; x < t.mask.w; ++x) {
            int cx = ox + x, cy = oy + y;
            if (cx >= 0 && cy >= 0 && cx < w && cy < h) cell.ref(cx, cy) = t.mask.at(x, y);
        }
    return cell;
}

} // namespace art
