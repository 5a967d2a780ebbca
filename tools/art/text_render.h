// Text set with FreeType from the DejaVu fonts into coverage masks, so
// that the painters can fill, shadow and glow it like any other shape.
#pragma once

#include "shapes.h"

#include <memory>
#include <string>
#include <string_view>

namespace art {

struct TextStyle {
    float size = 16;     // pixel size (em)
    float squeeze = 1;   // horizontal scale, < 1 condenses
    float tracking = 0;  // extra pixels after every glyph
    bool hinted = false; // grid-fit outlines: crisper at small sizes
    float stretch = 1;   // vertical scale about the baseline
    float rise = 0;      // pixels the glyphs are moved up
};

struct TextMask {
    Mask mask;
    int penX = 0;      // column of the pen's start inside the mask
    int baseline = 0;  // row of the baseline inside the mask
    float advance = 0; // pen travel over the whole text
    int inkLeft = 0;   // first and last inked columns, relative to the pen start
    int inkRight = 0;
};

class Font {
  public:
    // The face file is one of the DejaVu fonts; a file that cannot be read is fatal.
    explicit Font(const std::string& path);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    TextMask render(std::string_view text, const TextStyle& style) const;
    // Height of the capitals above the baseline at this size.
    float capHeight(float size) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The fonts the art uses, loaded once.
const Font& sansBold();
const Font& sans();

// Draws text with its baseline at y; x is the pen start.
void drawText(Canvas& c, const TextMask& t, int x, int y, const Shader& shade);
// Pen start that centres the text's ink between x0 and x1.
int centredPen(const TextMask& t, int x0, int x1);
// The text's mask blurred: use for glows and soft shadows.
void drawTextGlow(Canvas& c, const TextMask& t, int x, int y, float radius, Color tint);

} // namespace art
