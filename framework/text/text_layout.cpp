#include "framework/text/text_layout.h"

namespace text_layout {

int32_t FindGlyphIndex(const GlyphRec* table, char ch) {
    const auto byte = static_cast<uint8_t>(ch);
    for (int32_t i = 0; table[i].ch != 0; ++i)
        if (table[i].ch == byte) return i;
    return -1;
}

int32_t MeasureRun(const GlyphRec* table, const char* text, int32_t spacing) {
    int32_t width = 0;
    ForEachGlyph(table, text, 0, spacing,
                 [&](const GlyphRec& glyph, int32_t) { width += glyph.advance + spacing; });
    return width;
}

} // namespace text_layout
