// The menu, mode-selection and panel pictures: black wherever the game
// writes large text, lit pieces that light up, and pieces that match the
// picture they are drawn over.
#include "gfx_files.h"

#include "framework/text/glyph_tables.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace arttest {
namespace {

using namespace art::layout;

// JPEG keeps black within a few levels at the quality the generator uses.
constexpr int kBlack = 16;

Rect screenToBack(Rect s) {
    return {s.x1 - kBackAt.x, s.y1 - kBackAt.y, s.x2 - kBackAt.x, s.y2 - kBackAt.y};
}

TEST(ScreenSheets, LargeTextOnTheLeftColumnAndCounterStandsOnBlack) {
    const Image& font2 = gfx("font2.jpg");
    // Counter line at screen y 29, inside the frame's middle (also the ends' inner part).
    EXPECT_LE(maxBrightness(font2, {kCounterLeft.x1 + 3, 203, kCounterRight.x2 - 3, 220}), kBlack);
    for (int mode = 1; mode <= 3; ++mode) {
        Rect box = modeBox(mode);
        Rect value{box.x1 + 18, box.y1 + kModeValueY - 2, box.x2 - 18, box.y1 + kModeValueY + 18};
        EXPECT_LE(maxBrightness(font2, value), kBlack) << "mode box " << mode;
    }
    // Volume ticks: ten glyphs 10 pixels apart from x 25, 18 rows tall; the speed bar's track.
    const int dx = kOptionsPanel.x1 - kOptionsPanelAt.x, dy = kOptionsPanel.y1 - kOptionsPanelAt.y;
    for (int y : {kSfxTicksY, kMusicTicksY, kSpeedBarAt.y})
        EXPECT_LE(maxBrightness(font2, {kTicksX + dx, y + dy, kTicksX + 97 + dx, y + 18 + dy}),
                  kBlack)
            << y;
}

TEST(ScreenSheets, MenuBackgroundIsBlackWhereTheCreditsAndCaptionsGo) {
    const Image& back = gfx("back.jpg");
    EXPECT_LE(maxBrightness(back, screenToBack({30, kCreditY - 2, 610, kCreditY + 20})), kBlack);
    EXPECT_LE(maxBrightness(back, screenToBack({30, kCaptionY - 2, 610, kCaptionY + 20})), kBlack);
    EXPECT_LE(maxBrightness(back, screenToBack({kSplashAt.x, kSplashAt.y, kSplashAt.x + 50,
                                                kSplashAt.y + 50})),
              kBlack);
}

double meanDiff(const Image& a, Rect ra, const Image& b, Rect rb) {
    double sum = 0;
    for (int y = 0; y < ra.h(); ++y)
        for (int x = 0; x < ra.w(); ++x)
            for (int k = 0; k < 3; ++k)
                sum += std::abs(a.px(ra.x1 + x, ra.y1 + y)[k] - b.px(rb.x1 + x, rb.y1 + y)[k]);
    return sum / (3.0 * ra.w() * ra.h());
}

double meanLight(const Image& img, Rect r) {
    Rgb c = meanColour(img, r, 0);
    return (c.r + c.g + c.b) / 3;
}

TEST(ScreenSheets, MenuPictureMatchesThePlateOfTheBackground) {
    const Image& menu = gfx("menu.jpg");
    const Image& back = gfx("back.jpg");
    EXPECT_LE(meanDiff(menu, kMenuItems, back, screenToBack(kMenuPlateOnScreen)), 3.0);
}

TEST(ScreenSheets, LitMenuItemsAreBrighterAndFitTheirPlace) {
    const Image& menu = gfx("menu.jpg");
    const Rect lit[] = {kMenuLitNewGame, kMenuLitDifficulty, kMenuLitScores, kMenuLitQuit};
    for (int i = 0; i < 4; ++i) {
        int top = kMenuLitAt[i].y - kMenuAt.y;
        Rect under{0, top, 256, top + lit[i].h()};
        EXPECT_GT(meanLight(menu, lit[i]), meanLight(menu, under) + 10) << "item " << i + 1;
        // The plate's edge around the item is the same in both.
        Rect edgeLit{0, lit[i].y1, 8, lit[i].y2}, edgeUnder{0, top, 8, top + lit[i].h()};
        EXPECT_LE(meanDiff(menu, edgeLit, menu, edgeUnder), 3.0) << "item " << i + 1;
    }
    // The other difficulties' labels and their lit versions come from font2.jpg.
    const Image& font2 = gfx("font2.jpg");
    for (Rect label : {kDifficultyAverage, kDifficultyHard}) {
        int top = kDifficultyAt.y - kMenuAt.y;
        EXPECT_LE(meanDiff(font2, {label.x1, label.y1, label.x1 + 12, label.y2}, menu,
                           {0, top, 12, top + label.h()}),
                  3.0);
    }
    EXPECT_GT(meanLight(font2, kDifficultyLitAverage), meanLight(font2, kDifficultyAverage) + 10);
    EXPECT_GT(meanLight(font2, kDifficultyLitHard), meanLight(font2, kDifficultyHard) + 10);
}

bool edgesBlack(const Image& img, Rect r) {
    return maxBrightness(img, {r.x1, r.y1, r.x2, r.y1 + 1}) <= kBlack &&
           maxBrightness(img, {r.x1, r.y2 - 1, r.x2, r.y2}) <= kBlack &&
           maxBrightness(img, {r.x1, r.y1, r.x1 + 1, r.y2}) <= kBlack &&
           maxBrightness(img, {r.x2 - 1, r.y1, r.x2, r.y2}) <= kBlack;
}

// The selection screen is black behind its pieces: no piece may show as a box.
TEST(ScreenSheets, SelectionPiecesFadeIntoTheBlackScreen) {
    const Image& select = gfx("select.jpg");
    for (Rect r : {kTitle0, kTitle1, kBackButton, kBackButtonLit})
        EXPECT_TRUE(edgesBlack(select, r)) << r.y1;
    for (int m = 1; m <= 3; ++m) {
        EXPECT_TRUE(edgesBlack(select, modeName(m))) << m;
        EXPECT_TRUE(edgesBlack(select, modeNameLit(m))) << m;
        EXPECT_GT(meanLight(select, modeNameLit(m)), meanLight(select, modeName(m)) + 10) << m;
    }
}

TEST(ScreenSheets, IntroLogoMeetsTheWhiteScreenAtItsEdges) {
    const Image& logo = gfx("logo.jpg");
    for (Rect edge :
         {Rect{0, 0, 640, 2}, Rect{0, 478, 640, 480}, Rect{0, 0, 2, 480}, Rect{638, 0, 640, 480}})
        EXPECT_GE(meanLight(logo, edge), 250.0);
}

// The hovered mode's description is drawn straight on the screen's black:
// no picture, name or button of the selection screen may stand under it.
TEST(ScreenSheets, ModeDescriptionsStayClearOfTheSelectionPieces) {
    const char* lines[3][2] = {
        {"PLAY AGAINST THE TIME IN THIS MODE", "BE QUICKER THAN THE OTHERS!"},
        {"TRY TO MAKE MORE POINTS POSSIBLE", "AND BEAT THE ONLINE HIGHSCORES!"},
        {"GO THROUGH SEVERAL PUZZLE LEVELS", "WITH INCREASING DIFFICULTY"}};
    auto placed = [](Rect src, Point at) { return Rect{at.x, at.y, at.x + src.w(), at.y + src.h()}; };
    std::vector<Rect> pieces{placed(kBackButton, kBackButtonAt), placed(kBackButtonLit, kBackButtonAt),
                             placed(kTitle0, kTitle0At), placed(kTitle1, kTitle1At)};
    for (int m = 1; m <= 3; ++m) {
        pieces.push_back(placed(modePicture(m), modePictureAt(m)));
        pieces.push_back(placed(modeName(m), modeNameAt(m)));
        pieces.push_back(placed(modeNameLit(m), modeNameLitAt(m)));
    }
    for (int m = 1; m <= 3; ++m)
        for (int line = 0; line < 2; ++line) {
            int w = 0;
            for (const char* c = lines[m - 1][line]; *c; ++c)
                for (const GlyphRec* g = LargeFontGlyphs; g->ch; ++g)
                    if (g->ch == static_cast<unsigned char>(*c)) w += g->advance;
            int x = kDescriptionX1 + (kDescriptionX2 - w - kDescriptionX1) / 2,
                y = descriptionY(m) + 20 * line;
            for (Rect p : pieces)
                EXPECT_FALSE(x < p.x2 && p.x1 < x + w && y < p.y2 && p.y1 < y + 19) << lines[m - 1][line];
        }
}

} // namespace
} // namespace arttest
