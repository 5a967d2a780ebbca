// The two font images hold every glyph of their tables inside its
// rectangle, on one baseline, and the large font stands on pure black.
#include "gfx_files.h"

#include "framework/text/glyph_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace arttest {
namespace {

bool inAnyGlyph(const GlyphRec* table, int x, int y) {
    for (const GlyphRec* g = table; g->ch; ++g)
        if (x >= g->x1 && x < g->x2 && y >= g->y1 && y < g->y2) return true;
    return false;
}

const GlyphRec& glyph(const GlyphRec* table, char ch) {
    for (const GlyphRec* g = table; g->ch; ++g)
        if (g->ch == static_cast<unsigned char>(ch)) return *g;
    ADD_FAILURE() << "no glyph " << ch;
    return *table;
}

// Ink of a pixel: alpha for the small font, brightness for the large one.
struct Font {
    const char* name;
    const GlyphRec* table;
    const Image& img() const { return gfx(name); }
    bool small() const { return table == SmallFontGlyphs; }
    int ink(int x, int y) const { return small() ? img().px(x, y)[3] : brightness(img().px(x, y)); }
    // Rows of the first and last strong ink, counted from the glyph's top.
    std::pair<int, int> inkRows(char ch) const {
        const GlyphRec& g = glyph(table, ch);
        int top = -1, bottom = -1;
        for (int y = g.y1; y < g.y2; ++y)
            for (int x = g.x1; x < g.x2; ++x)
                if (ink(x, y) >= 128) {
                    if (top < 0) top = y - g.y1;
                    bottom = y - g.y1;
                }
        return {top, bottom};
    }
};
const Font kSmall{"font.tga", SmallFontGlyphs}, kLarge{"font2.jpg", LargeFontGlyphs};

TEST(FontSheets, EveryGlyphHoldsInkAndNoInkLiesOutsideTheGlyphs) {
    for (const Font& f : {kSmall, kLarge}) {
        for (const GlyphRec* g = f.table; g->ch; ++g) {
            int strongest = 0;
            for (int y = g->y1; y < g->y2; ++y)
                for (int x = g->x1; x < g->x2; ++x) strongest = std::max(strongest, f.ink(x, y));
            if (g->ch != ' ') {
                EXPECT_GE(strongest, f.small() ? 200 : 180) << f.name << " " << g->ch;
            }
        }
        // The large sheet also holds the speed bar; JPEG leaves faint ink.
        const Rect bar = art::layout::speedBar(5);
        int worst = 0;
        for (int y = 0; y < (f.small() ? f.img().height : 41); ++y)
            for (int x = 0; x < f.img().width; ++x) {
                bool inBar = !f.small() && x >= bar.x1 - 2 && x < bar.x2 + 2 && y >= bar.y1 - 2 &&
                             y < bar.y2 + 2;
                if (!inBar && !inAnyGlyph(f.table, x, y)) worst = std::max(worst, f.ink(x, y));
            }
        EXPECT_LE(worst, f.small() ? 0 : 48) << f.name << ": ink between the glyph cells";
    }
}

// Large text is drawn as opaque cells: away from the letters they must be black.
TEST(FontSheets, LargeGlyphCellsStandOnBlack) {
    const Image& large = kLarge.img();
    for (const GlyphRec* g = LargeFontGlyphs; g->ch; ++g) {
        int worst = 0;
        for (int y = g->y1; y < g->y2; ++y)
            for (int x = g->x1; x < g->x2; ++x) {
                Rect near{std::max(0, x - 2), std::max(0, y - 2), std::min(512, x + 3),
                          std::min(512, y + 3)};
                if (maxBrightness(large, near) < 96) worst = std::max(worst, kLarge.ink(x, y));
            }
        EXPECT_LE(worst, 16) << "background of " << g->ch;
    }
}

// Text hangs from one top line: flat capitals share their top and bottom
// rows, flat-footed lower case and digits the capitals' bottom row, and
// descenders reach below it.
TEST(FontSheets, GlyphsShareOneBaseline) {
    for (const Font& f : {kSmall, kLarge}) {
        const auto caps = f.inkRows('E');
        for (char ch : std::string("FHILT")) EXPECT_EQ(f.inkRows(ch), caps) << f.name << " " << ch;
        for (char ch : std::string(f.small() ? "ilmnr" : "1234"))
            EXPECT_EQ(f.inkRows(ch).second, caps.second) << f.name << " " << ch;
        EXPECT_GT(f.inkRows(f.small() ? 'g' : ',').second, caps.second) << f.name;
    }
}

} // namespace
} // namespace arttest
