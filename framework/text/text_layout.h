// Glyph lookup, measuring, centring and pen placement over a glyph table:
// the arithmetic of bitmap text, kept apart from drawing. Bytes without a
// record are skipped and do not move the pen.
#pragma once
#include "framework/text/glyph_tables.h"

#include <cstdint>

namespace text_layout {

// Index of the character's record, or -1. Characters are compared as
// unsigned bytes.
int32_t FindGlyphIndex(const GlyphRec* table, char ch);

// The pen's travel over the text: advance plus spacing for every byte that
// has a record, the last one included. 0 when none has.
int32_t MeasureRun(const GlyphRec* table, const char* text, int32_t spacing);

// Where text `width` wide starts when centred between xLeft and xRight;
// an odd remainder leans toward xLeft, and wider text starts left of it.
inline int32_t CentredStart(int32_t xLeft, int32_t xRight, int32_t width) {
    return xLeft + (xRight - width - xLeft) / 2; // C++ division truncates toward zero
}

// Calls place(record, penX) for every byte that has a record, with the pen
// starting at x.
template <typename Place>
void ForEachGlyph(const GlyphRec* table, const char* text, int32_t x, int32_t spacing,
                  Place&& place) {
    int32_t pen = x;
    for (const char* c = text; *c; ++c) {
        int32_t index = FindGlyphIndex(table, *c);
        if (index < 0) continue;
        place(table[index], pen);
        pen += table[index].advance + spacing;
    }
}

} // namespace text_layout
