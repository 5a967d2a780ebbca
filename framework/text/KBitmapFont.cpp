#include "framework/text/KBitmapFont.h"

#include "framework/display/KGraphic.h"
#include "framework/text/text_layout.h"

#include <cstdio>

KBitmapFont::KBitmapFont(const char* imagePath, const GlyphRec* glyphTable)
    : image(std::make_unique<KGraphic>()), glyphs(glyphTable) {
    image->LoadImage(imagePath, true, false, true);
}

KBitmapFont::~KBitmapFont() = default;

int32_t KBitmapFont::FindGlyph(char ch) const {
    if (!image || !glyphs) return -1;
    return text_layout::FindGlyphIndex(glyphs, ch);
}

int32_t KBitmapFont::MeasureText(const char* text, int32_t spacing) const {
    if (!image || !glyphs || !text || !*text) return -1;
    return text_layout::MeasureRun(glyphs, text, spacing);
}

void KBitmapFont::DrawText(const char* text, int32_t x, int32_t y, int32_t spacing) {
    if (!image || !glyphs || !text || !*text) return;
    text_layout::ForEachGlyph(glyphs, text, x, spacing, [&](const GlyphRec& g, int32_t pen) {
        image->BlitAlpha(g.x1, g.y1, g.x2, g.y2, static_cast<int16_t>(pen), static_cast<int16_t>(y),
                         false, false);
    });
}

void KBitmapFont::DrawCentered(const char* text, int32_t xLeft, int32_t xRight, int32_t y,
                               int32_t spacing) {
    int32_t width = MeasureText(text, spacing);
    if (width <= 0) return;
    DrawText(text, text_layout::CentredStart(xLeft, xRight, width), y, spacing);
}

void KBitmapFont::DrawNumberCentered(int32_t value, int32_t xLeft, int32_t xRight, int32_t y,
                                     int32_t spacing) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", static_cast<int>(value));
    DrawCentered(digits, xLeft, xRight, y, spacing);
}
