// A software stand-in for the game's drawing calls: pieces of the generated
// sheets are cut by source rectangle and put on a 640 x 480 screen the way
// the game draws them (opaque, blended, blended at an opacity), and text
// goes through the bitmap fonts' glyph tables.
#pragma once

#include "image_files.h"
#include "game/sheet_layout.h"

#include "framework/text/glyph_tables.h"

#include <string>

namespace preview {

using art::Image;
using layout::Point;
using layout::Rect;

struct BitmapFont {
    const Image* sheet;
    const GlyphRec* glyphs;
};

class Screen {
  public:
    Screen();
    void clear(std::uint8_t r, std::uint8_t g, std::uint8_t b);
    // The three ways the game draws a piece: Blit, BlitAlpha, BlitTransformed at angle 0.
    void blit(const Image& sheet, Rect src, Point at);
    void blitAlpha(const Image& sheet, Rect src, Point at, float opacity = 1.0f);
    // Scaled about the piece's centre, as the animated titles are drawn.
    void blitScaled(const Image& sheet, Rect src, Point at, float scale, float opacity);
    void fill(Rect r, std::uint8_t red, std::uint8_t g, std::uint8_t b);

    int measure(const BitmapFont& f, const std::string& text) const;
    void text(const BitmapFont& f, const std::string& text, int x, int y);
    void centred(const BitmapFont& f, const std::string& text, int x1, int x2, int y);

    bool savePng(const std::string& path) const;

  private:
    Image img_;
    void put(int x, int y, const std::uint8_t* src, float a);
};

} // namespace preview
