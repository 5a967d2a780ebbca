// KBitmapFont on a real window with the generated font images: every drawn
// glyph shows its rectangle of the font image at the pen position, blended
// over the background, and nothing else is touched.
#include "display/display_fixture.h"

#include "framework/display/KGraphic.h"
#include "framework/text/KBitmapFont.h"
#include "framework/text/text_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

const std::string kLargeFont = ORBOLO_GFX_DIR "/font2.jpg";
const std::string kSmallFont = ORBOLO_GFX_DIR "/font.tga";
const Rgb kBlue{0, 0, 255};

const GlyphRec& Glyph(const GlyphRec* table, char ch) {
    const GlyphRec* g = table;
    while (g->ch && g->ch != static_cast<uint8_t>(ch))
        ++g;
    return *g;
}

// The font image's own pixels, to say what the screen should show.
class Reference {
  public:
    explicit Reference(const std::string& path) { image.LoadImage(path.c_str(), true, true, true); }
    Rgba At(int x, int y) const {
        const auto& p = image.GetKeptPixels();
        size_t at = (static_cast<size_t>(y) * static_cast<size_t>(image.GetTextureWidth()) + x) * 4;
        return {p[at], p[at + 1], p[at + 2], p[at + 3]};
    }

  private:
    KGraphic image;
};

Rgb Over(Rgba texel, Rgb background) {
    auto mix = [&](int ink, int under) { return (ink * texel.a + under * (255 - texel.a)) / 255; };
    return {mix(texel.r, background.r), mix(texel.g, background.g), mix(texel.b, background.b)};
}

bool Near(Rgb a, Rgb b) {
    const int tolerance = 8; // the window may be 5-6-5
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// Every pixel of the glyph's cell drawn with its top-left corner at (x, y),
// and the columns just left and right of the cell untouched.
void ExpectGlyph(const Reference& ref, const GlyphRec& g, int x, int y) {
    SCOPED_TRACE(std::string("glyph ") + static_cast<char>(g.ch) + " at " + std::to_string(x));
    int mismatches = 0, inked = 0;
    for (int dy = 0; dy < g.y2 - g.y1; ++dy) {
        for (int dx = 0; dx < g.x2 - g.x1; ++dx) {
            Rgba texel = ref.At(g.x1 + dx, g.y1 + dy);
            if (!Near(PixelAt(x + dx, y + dy), Over(texel, kBlue))) ++mismatches;
            if (!Near(Over(texel, kBlue), kBlue)) ++inked;
        }
        EXPECT_EQ(PixelAt(x - 1, y + dy), kBlue);
        EXPECT_EQ(PixelAt(x + g.x2 - g.x1, y + dy), kBlue);
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(inked, 0) << "a glyph without ink proves nothing";
}

int Drawn(int x1, int y1, int x2, int y2) {
    int count = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (PixelAt(x, y) != kBlue) ++count;
    return count;
}

class Font : public ::testing::Test {
  protected:
    void SetUp() override {
        TestWindow();
        ClearMessages();
        StartFrame(0, 0, 1);
    }
};

TEST_F(Font, LargeGlyphsLandAtThePenAndMissingOnesDoNotMoveIt) {
    KBitmapFont font(kLargeFont.c_str(), LargeFontGlyphs);
    Reference ref(kLargeFont);
    ASSERT_TRUE(Messages().empty());
    const GlyphRec& i = Glyph(LargeFontGlyphs, 'I');
    const GlyphRec& w = Glyph(LargeFontGlyphs, 'W');
    font.DrawText("IxW", 100, 50, 0); // x has no record
    ExpectGlyph(ref, i, 100, 50);
    ExpectGlyph(ref, w, 105, 50);
    EXPECT_EQ(Drawn(90, 40, 140, 80), (i.x2 - i.x1 + w.x2 - w.x1) * 15);
    // Spacing follows each glyph.
    font.DrawText("II", 100, 200, 3);
    ExpectGlyph(ref, i, 100, 200);
    ExpectGlyph(ref, i, 108, 200);
}

TEST_F(Font, CentredTextAndNumbers) {
    KBitmapFont font(kLargeFont.c_str(), LargeFontGlyphs);
    Reference ref(kLargeFont);
    font.DrawCentered("I", 0, 640, 100, 0); // 5 wide: starts at 317
    ExpectGlyph(ref, Glyph(LargeFontGlyphs, 'I'), 317, 100);
    font.DrawNumberCentered(-7, 0, 640, 150, 0); // 8 + 11 wide: starts at 310
    ExpectGlyph(ref, Glyph(LargeFontGlyphs, '-'), 310, 150);
    ExpectGlyph(ref, Glyph(LargeFontGlyphs, '7'), 318, 150);
    font.DrawCentered("abc", 0, 640, 300, 0); // nothing to draw, nothing drawn
    EXPECT_EQ(Drawn(0, 290, 640, 330), 0);
}

TEST_F(Font, SmallGlyphsBlendByAlphaAndHangFromTheTopLine) {
    KBitmapFont font(kSmallFont.c_str(), SmallFontGlyphs);
    Reference ref(kSmallFont);
    ASSERT_TRUE(Messages().empty());
    font.DrawText("Ag", 200, 300, 0); // g reaches below A's bottom
    ExpectGlyph(ref, Glyph(SmallFontGlyphs, 'A'), 200, 300);
    ExpectGlyph(ref, Glyph(SmallFontGlyphs, 'g'), 210, 300);
    EXPECT_GT(Drawn(210, 310, 217, 312), 0) << "the descender";
}

TEST_F(Font, MeasuresSpacingAfterEveryGlyphAndSkipsWhatHasNoRecord) {
    KBitmapFont font(kLargeFont.c_str(), LargeFontGlyphs);
    EXPECT_EQ(font.MeasureText("AB", 3), (15 + 3) + (13 + 3));
    EXPECT_EQ(font.MeasureText("A", -2), 13);
    EXPECT_EQ(font.MeasureText("  ", 0), 16) << "spaces have records and move the pen";
    EXPECT_EQ(font.MeasureText("Abc", 0), 15) << "the large font has capitals only";
    EXPECT_EQ(font.FindGlyph(static_cast<char>('A' | 0x80)), -1) << "not its low seven bits";
    KBitmapFont small(kSmallFont.c_str(), SmallFontGlyphs);
    EXPECT_EQ(small.MeasureText("Abc", 0), 10 + 8 + 8);
    // Centring truncates toward zero, also when the text is wider than the span.
    EXPECT_EQ(text_layout::CentredStart(0, 640, 700), -30);
    EXPECT_EQ(text_layout::CentredStart(0, 640, 101), 269);
    EXPECT_EQ(text_layout::CentredStart(10, 20, 21), 5);
}

TEST_F(Font, NullEmptyAndMissingPieces) {
    KBitmapFont font(kLargeFont.c_str(), LargeFontGlyphs);
    EXPECT_EQ(font.MeasureText(nullptr, 0), -1);
    EXPECT_EQ(font.MeasureText("", 0), -1);
    EXPECT_EQ(font.MeasureText("abc", 0), 0);
    font.DrawText(nullptr, 10, 10, 0);
    font.DrawText("", 10, 10, 0);
    font.DrawCentered(nullptr, 0, 640, 10, 0);

    KBitmapFont noTable(kLargeFont.c_str(), nullptr);
    EXPECT_NE(noTable.GetImage(), nullptr);
    EXPECT_EQ(noTable.FindGlyph('A'), -1);
    EXPECT_EQ(noTable.MeasureText("A", 0), -1);
    noTable.DrawText("A", 10, 10, 0);
    noTable.DrawCentered("A", 0, 640, 10, 0);
    EXPECT_EQ(Drawn(0, 0, 640, 40), 0);

    // A missing image is reported by the load; the font still measures.
    KBitmapFont noImage("/no/such/font.jpg", LargeFontGlyphs);
    EXPECT_FALSE(Messages().empty());
    ASSERT_NE(noImage.GetImage(), nullptr);
    EXPECT_EQ(noImage.MeasureText("AB", 0), 28);
    noImage.DrawText("AB", 10, 10, 0);
    EXPECT_EQ(Drawn(0, 0, 640, 40), 0);
}

} // namespace
