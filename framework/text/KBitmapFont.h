// KBitmapFont: single-line text drawn from a font image and a glyph table.
// The font owns its image; the table is constant data it only points to.
// Glyphs hang from the text's top line y; a byte without a record is
// skipped. Main thread only, with the window's GL context current.
#pragma once
#include "framework/text/glyph_tables.h"

#include <cstdint>
#include <memory>

class KGraphic;

class KBitmapFont {
  public:
    // Loads the image as every game image is loaded; a failed load shows
    // its message and leaves the font with an empty image that draws
    // nothing.
    KBitmapFont(const char* imagePath, const GlyphRec* glyphTable);
    ~KBitmapFont();
    KBitmapFont(const KBitmapFont&) = delete;
    KBitmapFont& operator=(const KBitmapFont&) = delete;

    KGraphic* GetImage() const { return image.get(); }
    // Index of the character's record; -1 when it has none, or the font
    // has no image or no table.
    int32_t FindGlyph(char ch) const;
    // The pen's travel over the text, the spacing after every drawn glyph
    // included; 0 when no byte has a record. -1 without image or table,
    // or for a null or empty text.
    int32_t MeasureText(const char* text, int32_t spacing) const;
    // First glyph's left edge at x, every glyph's top at y.
    void DrawText(const char* text, int32_t x, int32_t y, int32_t spacing);
    // Centred between xLeft and xRight (see text_layout::CentredStart);
    // draws nothing when the measured width is not above 0.
    void DrawCentered(const char* text, int32_t xLeft, int32_t xRight, int32_t y, int32_t spacing);
    // The value in decimal, centred as DrawCentered does.
    void DrawNumberCentered(int32_t value, int32_t xLeft, int32_t xRight, int32_t y,
                            int32_t spacing);

  private:
    std::unique_ptr<KGraphic> image;
    const GlyphRec* glyphs = nullptr;
};
