// Every piece the game cuts from a sheet lies inside that sheet, and the
// glyph tables fit their font images.
#include "gfx_files.h"

#include "framework/text/glyph_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace arttest {
namespace {

using namespace art::layout;

bool inside(Rect r, const Image& img) {
    return r.x1 >= 0 && r.y1 >= 0 && r.x2 <= img.width && r.y2 <= img.height && r.w() > 0 &&
           r.h() > 0;
}

TEST(ArtLayout, EveryPieceLiesInsideItsSheet) {
    for (const Piece& p : allPieces()) {
        const Image& sheet = gfx(std::string(p.sheet));
        EXPECT_TRUE(inside(p.rect, sheet)) << p.sheet << " piece " << p.rect.x1 << "," << p.rect.y1
                                           << " - " << p.rect.x2 << "," << p.rect.y2;
    }
}

int count(const GlyphRec* table) {
    int n = 0;
    while (table[n].ch)
        ++n;
    return n;
}

TEST(ArtLayout, GlyphTablesHoldEachCharacterOnceInsideTheirImages) {
    struct Font {
        const GlyphRec* table;
        const char* image;
        int records;
    } fonts[] = {{LargeFontGlyphs, "font2.jpg", 55}, {SmallFontGlyphs, "font.tga", 80}};
    for (const Font& f : fonts) {
        EXPECT_EQ(count(f.table), f.records) << f.image;
        std::set<int> seen;
        for (const GlyphRec* g = f.table; g->ch; ++g) {
            EXPECT_TRUE(seen.insert(g->ch).second) << "twice: " << g->ch;
            EXPECT_TRUE(inside({g->x1, g->y1, g->x2, g->y2}, gfx(f.image)))
                << f.image << " " << g->ch;
            EXPECT_GT(g->advance, 0) << g->ch;
        }
    }
}

int measure(const char* text) {
    int w = 0;
    for (const char* c = text; *c; ++c)
        for (const GlyphRec* g = LargeFontGlyphs; g->ch; ++g)
            if (g->ch == static_cast<unsigned char>(*c)) w += g->advance;
    return w;
}

bool overlaps(Rect a, Rect b) {
    return a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
}

Rect placed(Rect src, Point at) {
    return {at.x, at.y, at.x + src.w(), at.y + src.h()};
}

// The hovered mode's description is drawn straight on the screen's black:
// no picture, name or button of the screen may stand under it.
TEST(ArtLayout, ModeDescriptionsStayClearOfTheSelectionPieces) {
    const char* lines[3][2] = {
        {"PLAY AGAINST THE TIME IN THIS MODE", "BE QUICKER THAN THE OTHERS!"},
        {"TRY TO MAKE MORE POINTS POSSIBLE", "AND BEAT THE ONLINE HIGHSCORES!"},
        {"GO THROUGH SEVERAL PUZZLE LEVELS", "WITH INCREASING DIFFICULTY"}};
    std::vector<Rect> pieces{placed(kBackButton, kBackButtonAt),
                             placed(kBackButtonLit, kBackButtonAt), placed(kTitle0, kTitle0At),
                             placed(kTitle1, kTitle1At)};
    for (int m = 1; m <= 3; ++m) {
        pieces.push_back(placed(modePicture(m), modePictureAt(m)));
        pieces.push_back(placed(modeName(m), modeNameAt(m)));
        pieces.push_back(placed(modeNameLit(m), modeNameLitAt(m)));
    }
    for (int m = 1; m <= 3; ++m)
        for (int line = 0; line < 2; ++line) {
            int w = measure(lines[m - 1][line]);
            int x = kDescriptionX1 + (kDescriptionX2 - w - kDescriptionX1) / 2,
                y = descriptionY(m) + 20 * line;
            Rect text{x, y, x + w, y + 19};
            for (Rect p : pieces)
                EXPECT_FALSE(overlaps(text, p)) << lines[m - 1][line];
        }
}

} // namespace
} // namespace arttest
