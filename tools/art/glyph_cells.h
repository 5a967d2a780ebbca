// Fitting one glyph into its cell of a font image: the glyph is set on a
// baseline a fixed distance below the cell's top (so text drawn from one
// top line reads straight), condensed when it is wider than the cell,
// its tail shortened when it reaches below the cell (a J in a capital's
// cell), and clipped to the cell so nothing spills into a neighbour.
#pragma once

#include "shapes.h"
#include "text_render.h"

#include "framework/text/glyph_tables.h"

namespace art {

struct CellStyle {
    const Font* font;
    TextStyle text;
    int baseline;     // rows below the cell's top
    int reserveRight; // columns kept free on the right and below (for a shadow)
    // Columns of faint edge that may be cut rather than condensing the glyph:
    // a grid-fitted stem stays crisp instead of smeared over three columns.
    int cuttable = 0;
};

// The glyph's coverage, cell-sized, ink centred across the usable width.
Mask glyphInCell(const GlyphRec& g, const CellStyle& style);

} // namespace art
