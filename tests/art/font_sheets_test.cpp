// The two font images hold every glyph of their tables inside its
// rectangle, on one baseline, and the large font stands on pure black.
#include "gfx_files.h"

#include "framework/text/glyph_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace arttest {
namespace {

Rect rectOf(const GlyphRec& g) {
    return {g.x1, g.y1, g.x2, g.y2};
}

bool inAnyGlyph(const GlyphRec* table, int x, int y) {
    for (const GlyphRec* g = table; g->ch; ++g)
        if (x >= g->x1 && x < g->x2 && y >= g->y1 && y < g->y2) return true;
    return false;
}

// Ink of a pixel: alpha for the small font, brightness for the large one.
int smallInk(const Image& img, int x, int y) {
    return img.px(x, y)[3];
}
int largeInk(const Image& img, int x, int y) {
    return brightness(img.px(x, y));
}

template <typename Ink> int strongest(const Image& img, Rect r, Ink ink) {
    int m = 0;
    for (int y = r.y1; y < r.y2; ++y)
        for (int x = r.x1; x < r.x2; ++x)
            m = std::max(m, ink(img, x, y));
    return m;
}

TEST(FontSheets, EveryGlyphHoldsInk) {
    const Image& small = gfx("font.tga");
    const Image& large = gfx("font2.jpg");
    for (const GlyphRec* g = SmallFontGlyphs; g->ch; ++g) {
        if (g->ch == ' ') continue;
        EXPECT_GE(strongest(small, rectOf(*g), smallInk), 200) << "small " << g->ch;
    }
    for (const GlyphRec* g = LargeFontGlyphs; g->ch; ++g) {
        if (g->ch == ' ') continue;
        EXPECT_GE(strongest(large, rectOf(*g), largeInk), 180) << "large " << g->ch;
    }
}

TEST(FontSheets, SmallFontInkStaysInsideTheGlyphRectangles) {
    const Image& small = gfx("font.tga");
    int stray = 0;
    for (int y = 0; y < small.height; ++y)
        for (int x = 0; x < small.width; ++x)
            if (small.px(x, y)[3] > 0 && !inAnyGlyph(SmallFontGlyphs, x, y)) ++stray;
    EXPECT_EQ(stray, 0);
}

TEST(FontSheets, LargeFontInkStaysInsideTheGlyphRectangles) {
    const Image& large = gfx("font2.jpg");
    const Rect bar = art::layout::speedBar(5);
    int worst = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < large.width; ++x) {
            bool inBar = x >= bar.x1 - 2 && x < bar.x2 + 2 && y >= bar.y1 - 2 && y < bar.y2 + 2;
            if (!inBar && !inAnyGlyph(LargeFontGlyphs, x, y))
                worst = std::max(worst, largeInk(large, x, y));
        }
    EXPECT_LE(worst, 48) << "bright pixels between the glyph cells";
}

// Large text is drawn as opaque cells: away from the letters they must be black.
TEST(FontSheets, LargeGlyphCellsStandOnBlack) {
    const Image& large = gfx("font2.jpg");
    for (const GlyphRec* g = LargeFontGlyphs; g->ch; ++g) {
        int worst = 0;
        for (int y = g->y1; y < g->y2; ++y)
            for (int x = g->x1; x < g->x2; ++x) {
                Rect near{std::max(0, x - 2), std::max(0, y - 2), std::min(512, x + 3),
                          std::min(512, y + 3)};
                if (maxBrightness(large, near) < 96) worst = std::max(worst, largeInk(large, x, y));
            }
        EXPECT_LE(worst, 16) << "background of " << g->ch;
    }
}

// Rows of the first and last strong ink, counted from the glyph's top.
template <typename Ink> std::pair<int, int> inkRows(const Image& img, const GlyphRec& g, Ink ink) {
    int top = -1, bottom = -1;
    for (int y = g.y1; y < g.y2; ++y)
        for (int x = g.x1; x < g.x2; ++x)
            if (ink(img, x, y) >= 128) {
                if (top < 0) top = y - g.y1;
                bottom = y - g.y1;
            }
    return {top, bottom};
}

const GlyphRec& glyph(const GlyphRec* table, char ch) {
    for (const GlyphRec* g = table; g->ch; ++g)
        if (g->ch == static_cast<unsigned char>(ch)) return *g;
    ADD_FAILURE() << "no glyph " << ch;
    return *table;
}

// Text hangs from one top line: flat capitals must share their top and
// bottom rows, and flat-footed lower case the capitals' bottom row.
TEST(FontSheets, GlyphsShareOneBaseline) {
    const Image& small = gfx("font.tga");
    const Image& large = gfx("font2.jpg");
    const auto smallCaps = inkRows(small, glyph(SmallFontGlyphs, 'E'), smallInk);
    const auto largeCaps = inkRows(large, glyph(LargeFontGlyphs, 'E'), largeInk);
    for (char ch : std::string("FHILT")) {
        EXPECT_EQ(inkRows(small, glyph(SmallFontGlyphs, ch), smallInk), smallCaps)
            << "small " << ch;
        EXPECT_EQ(inkRows(large, glyph(LargeFontGlyphs, ch), largeInk), largeCaps)
            << "large " << ch;
    }
    for (char ch : std::string("ilmnr"))
        EXPECT_EQ(inkRows(small, glyph(SmallFontGlyphs, ch), smallInk).second, smallCaps.second)
            << ch;
    for (char ch : std::string("1234"))
        EXPECT_EQ(inkRows(large, glyph(LargeFontGlyphs, ch), largeInk).second, largeCaps.second)
            << ch;
    // Descenders reach below the baseline.
    EXPECT_GT(inkRows(small, glyph(SmallFontGlyphs, 'g'), smallInk).second, smallCaps.second);
    EXPECT_GT(inkRows(large, glyph(LargeFontGlyphs, ','), largeInk).second, largeCaps.second);
}

} // namespace
} // namespace arttest
