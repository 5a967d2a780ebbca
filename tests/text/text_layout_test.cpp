// Bitmap text arithmetic over the game's real glyph tables: what is
// measured, where each glyph lands, and how centring rounds.
#include "framework/text/text_layout.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using text_layout::CentredStart;
using text_layout::FindGlyphIndex;
using text_layout::MeasureRun;

// (character, pen x) for every glyph the text draws.
std::vector<std::pair<char, int>> Placements(const GlyphRec* table, const char* text, int x,
                                             int spacing) {
    std::vector<std::pair<char, int>> out;
    text_layout::ForEachGlyph(table, text, x, spacing, [&](const GlyphRec& g, int32_t pen) {
        out.emplace_back(static_cast<char>(g.ch), pen);
    });
    return out;
}

TEST(TextLayout, CharactersWithoutARecordAreSkippedAndMeasureNothing) {
    // The large font has capitals only.
    EXPECT_EQ(MeasureRun(LargeFontGlyphs, "Abc", 0), 15);
    EXPECT_EQ(MeasureRun(LargeFontGlyphs, "abc", 0), 0);
    EXPECT_EQ(MeasureRun(SmallFontGlyphs, "Abc", 0), 10 + 8 + 8);
    EXPECT_EQ(Placements(LargeFontGlyphs, "abc", 40, 0).size(), 0u);
    // A byte with the high bit set is not its low seven bits.
    EXPECT_EQ(FindGlyphIndex(LargeFontGlyphs, static_cast<char>('A' | 0x80)), -1);
    EXPECT_EQ(FindGlyphIndex(LargeFontGlyphs, 'A'), 0);
}

TEST(TextLayout, SpacingFollowsEveryGlyphTheLastIncluded) {
    EXPECT_EQ(MeasureRun(LargeFontGlyphs, "AB", 3), (15 + 3) + (13 + 3));
    EXPECT_EQ(MeasureRun(LargeFontGlyphs, "A", -2), 13);
    // Spaces have records in both fonts and move the pen.
    EXPECT_EQ(MeasureRun(LargeFontGlyphs, "  ", 0), 16);
    EXPECT_EQ(MeasureRun(SmallFontGlyphs, " ", 1), 9);
}

TEST(TextLayout, PenMovesByAdvanceAndSpacingOnlyOverDrawnGlyphs) {
    using P = std::pair<char, int>;
    EXPECT_EQ(Placements(LargeFontGlyphs, "IxW I", 100, 2),
              (std::vector<P>{{'I', 100}, {'W', 107}, {' ', 128}, {'I', 138}}));
    EXPECT_EQ(Placements(SmallFontGlyphs, "g-1", -5, 0),
              (std::vector<P>{{'g', -5}, {'-', 3}, {'1', 10}}));
}

TEST(TextLayout, CentringTruncatesTowardZero) {
    EXPECT_EQ(CentredStart(0, 640, 700), -30); // wider than the span
    EXPECT_EQ(CentredStart(0, 640, 101), 269); // odd remainder leans left
    EXPECT_EQ(CentredStart(0, 640, 100), 270);
    // A negative odd remainder rounds up, not down: 10 + (-11 / 2) = 5.
    EXPECT_EQ(CentredStart(10, 20, 21), 5);
    EXPECT_EQ(CentredStart(200, 440, 40), 300);
}

} // namespace
