// KBitmapFont on a real window with the generated font images: every drawn
// glyph shows its rectangle of the font image at the pen position, blended
// over the background, nothing else is touched, and measuring agrees.
#include "display/display_fixture.h"

#include "framework/display/KGraphic.h"
#include "framework/text/KBitmapFont.h"
#include "framework/text/text_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kLarge = ORBOLO_GFX_DIR "/font2.jpg", kSmall = ORBOLO_GFX_DIR "/font.tga";
const Rgb kBlue{0, 0, 255};

bool Near(Rgb a, Rgb b) { // the window may be 5-6-5
    return std::abs(a.r - b.r) <= 8 && std::abs(a.g - b.g) <= 8 && std::abs(a.b - b.b) <= 8;
}

int Drawn(int x1, int y1, int x2, int y2) {
    int count = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            count += PixelAt(x, y) != kBlue;
    return count;
}

const GlyphRec& Cell(const GlyphRec* table, char ch) {
    while (table->ch && table->ch != static_cast<uint8_t>(ch))
        ++table;
    return *table;
}

// Every pixel of glyph `ch`'s cell drawn with its top-left at (x, y) over
// blue, as the font image's own pixels say, and the columns beside it blue.
void ExpectGlyph(const std::string& image, const GlyphRec* table, char ch, int x, int y) {
    KGraphic ref;
    ref.LoadImage(image.c_str(), true, true, true);
    const GlyphRec* g = &Cell(table, ch);
    SCOPED_TRACE(std::string("glyph ") + ch + " at " + std::to_string(x));
    int mismatches = 0, inked = 0;
    for (int dy = 0; dy < g->y2 - g->y1; ++dy) {
        for (int dx = 0; dx < g->x2 - g->x1; ++dx) {
            const uint8_t* t =
                &ref.GetKeptPixels()[(size_t(g->y1 + dy) * ref.GetTextureWidth() + g->x1 + dx) * 4];
            auto mix = [&](int ink, int under) {
                return (ink * t[3] + under * (255 - t[3])) / 255;
            };
            Rgb want{mix(t[0], 0), mix(t[1], 0), mix(t[2], 255)};
            mismatches += !Near(PixelAt(x + dx, y + dy), want);
            inked += !Near(want, kBlue);
        }
        EXPECT_EQ(PixelAt(x - 1, y + dy), kBlue);
        EXPECT_EQ(PixelAt(x + g->x2 - g->x1, y + dy), kBlue);
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(inked, 0) << "a glyph without ink proves nothing";
}

class Font : public ::testing::Test {
  protected:
    void SetUp() override {
        TestWindow();
        ClearMessages();
        StartFrame(0, 0, 1);
    }
};

TEST_F(Font, GlyphsLandAtThePenCentredAndSpacedAndMissingOnesDoNotMoveIt) {
    KBitmapFont large(kLarge.c_str(), LargeFontGlyphs), small(kSmall.c_str(), SmallFontGlyphs);
    ASSERT_TRUE(Messages().empty());
    auto Width = [](char ch) {
        return Cell(LargeFontGlyphs, ch).x2 - Cell(LargeFontGlyphs, ch).x1;
    };
    large.DrawText("IxW", 100, 50, 0); // x has no record
    ExpectGlyph(kLarge, LargeFontGlyphs, 'I', 100, 50);
    ExpectGlyph(kLarge, LargeFontGlyphs, 'W', 105, 50);
    EXPECT_EQ(Drawn(90, 40, 140, 80), (Width('I') + Width('W')) * 15)
        << "nothing beside the two cells";
    large.DrawText("II", 100, 200, 3);
    ExpectGlyph(kLarge, LargeFontGlyphs, 'I', 108, 200);
    large.DrawCentered("I", 0, 640, 100, 0); // 5 wide: starts at 317
    ExpectGlyph(kLarge, LargeFontGlyphs, 'I', 317, 100);
    large.DrawNumberCentered(-7, 0, 640, 150, 0); // 8 + 11 wide: starts at 310
    ExpectGlyph(kLarge, LargeFontGlyphs, '-', 310, 150);
    ExpectGlyph(kLarge, LargeFontGlyphs, '7', 318, 150);
    small.DrawText("Ag", 200, 300, 0); // alpha-blended; g reaches below A's bottom
    ExpectGlyph(kSmall, SmallFontGlyphs, 'A', 200, 300);
    ExpectGlyph(kSmall, SmallFontGlyphs, 'g', 210, 300);
    EXPECT_GT(Drawn(210, 310, 217, 312), 0) << "the descender";
}

TEST_F(Font, MeasuresSpacingAfterEveryGlyphAndDrawsNothingWithoutText) {
    KBitmapFont font(kLarge.c_str(), LargeFontGlyphs), small(kSmall.c_str(), SmallFontGlyphs);
    KBitmapFont noTable(kLarge.c_str(), nullptr), noImage("/no/such/font.jpg", LargeFontGlyphs);
    EXPECT_FALSE(Messages().empty()) << "the missing image is reported";
    // Spaces have records; the large font has capitals only; not low seven bits.
    EXPECT_EQ(std::vector<int>({font.MeasureText("AB", 3), font.MeasureText("A", -2),
                                font.MeasureText("  ", 0), font.MeasureText("Abc", 0),
                                font.MeasureText("abc", 0), font.MeasureText("", 0),
                                font.MeasureText(nullptr, 0), font.FindGlyph(char('A' | 0x80)),
                                small.MeasureText("Abc", 0), noTable.MeasureText("A", 0),
                                noImage.MeasureText("AB", 0)}),
              std::vector<int>({18 + 16, 13, 16, 15, 0, -1, -1, -1, 10 + 8 + 8, -1, 28}));
    // Centring truncates toward zero, also when the text is wider than the span.
    EXPECT_EQ(std::vector<int>({text_layout::CentredStart(0, 640, 700),
                                text_layout::CentredStart(0, 640, 101),
                                text_layout::CentredStart(10, 20, 21)}),
              std::vector<int>({-30, 269, 5}));
    font.DrawText(nullptr, 10, 10, 0);
    font.DrawText("", 10, 10, 0);
    font.DrawCentered(nullptr, 0, 640, 10, 0);
    font.DrawCentered("abc", 0, 640, 10, 0);
    noTable.DrawText("A", 10, 10, 0);
    noTable.DrawCentered("A", 0, 640, 10, 0);
    noImage.DrawText("AB", 10, 10, 0);
    EXPECT_EQ(Drawn(0, 0, 640, 40), 0);
}

} // namespace
