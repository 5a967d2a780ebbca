// The drawing operations on a real GL context, checked by reading back the
// frame being drawn.
#include "display_fixture.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <tuple>

namespace {

// Every pixel of the 64 x 64 test image has its own colour. The bottom half
// is opaque; in the top half the middle columns have alpha 128 and the
// outer ones alpha 0.
Rgba Texel(int x, int y) {
    uint8_t alpha = y >= 32 ? 255 : (x >= 16 && x < 48 ? 128 : 0);
    return {static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4), 77, alpha};
}

Rgb Colour(int x, int y) {
    Rgba t = Texel(x, y);
    return {t.r, t.g, t.b};
}

bool Near(Rgb a, Rgb b, int tolerance = 2) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

const Rgb kRed{255, 0, 0}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

struct Probe {
    int x, y;
    Rgb want;
};
void ExpectPixels(std::initializer_list<Probe> probes) {
    for (const Probe& p : probes)
        EXPECT_EQ(PixelAt(p.x, p.y), p.want) << "at " << p.x << "," << p.y;
}

class Draw : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        TestWindow();
        KDisplayWindow::SetTextureRectangleAvailable(GetParam());
        image = std::make_unique<KGraphic>();
        static const std::string path = WriteTempFile("draw.tga", MakeTga(64, 64, 32, Texel));
        ASSERT_TRUE(image->LoadImage(path.c_str(), true, false, true));
        StartFrame(1, 0, 0);
    }
    void TearDown() override {
        image.reset();
        KDisplayWindow::SetTextureRectangleAvailable(true);
    }
    std::unique_ptr<KGraphic> image;
};

TEST_P(Draw, BlitLandsUprightAndMirrors) {
    for (int i = 0; i < 4; ++i) // plain, mirrored across, down, both
        image->Blit(0, 0, 32, 32, 10 + 100 * i, 20, i & 1, i & 2);
    // clang-format off
    ExpectPixels({{10, 20, Colour(0, 0)}, {41, 51, Colour(31, 31)}, {30, 22, Colour(20, 2)},
                  {9, 20, kRed}, {42, 20, kRed}, {10, 52, kRed}, {10, 19, kRed},
                  {110, 20, Colour(31, 0)}, {141, 25, Colour(0, 5)},
                  {210, 20, Colour(0, 31)}, {213, 51, Colour(3, 0)},
                  {310, 20, Colour(31, 31)}, {341, 51, Colour(0, 0)}});
    // clang-format on
}

TEST_P(Draw, AnEmptyImageDrawsNothing) {
    KGraphic empty;
    empty.Blit(0, 0, 32, 32, 10, 10, false, false);
    empty.BlitAlpha(0, 0, 32, 32, 10, 10, false, false);
    empty.BlitTransformed(0, 0, 32, 32, 10, 10, 30, 2, 1, false, false);
    EXPECT_EQ(PixelAt(20, 20), kRed);
}

TEST_P(Draw, FractionalSourceDrawsTheTruncatedSize) {
    image->Blit(0, 0, 31.9f, 10.5f, 100, 100, false, false);
    EXPECT_NE(PixelAt(130, 109), kRed);
    // A cut-out from the middle of the image starts at its own corner.
    image->Blit(20, 30, 24, 34, 400, 300, false, false);
    ExpectPixels({{131, 105, kRed},
                  {110, 110, kRed},
                  {400, 300, Colour(20, 30)},
                  {403, 303, Colour(23, 33)},
                  {404, 300, kRed}});
}

TEST_P(Draw, BlitAlphaBlendsByTexelAlpha) {
    image->Blit(0, 0, 64, 64, 0, 0, false, false);
    EXPECT_EQ(PixelAt(2, 2), Colour(2, 2)) << "Blit shows transparent texels as stored";
    image->BlitAlpha(0, 0, 64, 64, 100, 0, false, false);
    EXPECT_EQ(PixelAt(102, 2), kRed);
    EXPECT_EQ(PixelAt(120, 40), Colour(20, 40));
    // Alpha 128 over red: half of each.
    Rgb texel = Colour(20, 20);
    Rgb blended{(texel.r * 128 + 255 * 127) / 255, texel.g * 128 / 255, texel.b * 128 / 255};
    EXPECT_TRUE(Near(PixelAt(120, 20), blended));
}

TEST_P(Draw, BlitTransformedTurnsAboutTheDestinationCentre) {
    // Opaque 32 x 32 cut-out at (100, 100), a quarter turn counter-clockwise
    // about (116, 116): its top-right corner comes to the top-left.
    image->BlitTransformed(16, 32, 48, 64, 100, 100, 90, 1, 1, false, false);
    ExpectPixels({{99, 116, kRed}, {132, 116, kRed}, {116, 99, kRed}, {116, 132, kRed}});
    EXPECT_TRUE(Near(PixelAt(101, 101), Colour(46, 33), 4));
    EXPECT_TRUE(Near(PixelAt(101, 130), Colour(17, 33), 4));
    EXPECT_TRUE(Near(PixelAt(130, 130), Colour(17, 62), 4));

    // Plain arguments match BlitAlpha exactly.
    image->BlitTransformed(0, 0, 64, 64, 300, 0, 0, 1, 1, false, false);
    image->BlitAlpha(0, 0, 64, 64, 400, 0, false, false);
    for (int y : {2, 20, 40})
        for (int x : {2, 20, 40, 63})
            EXPECT_EQ(PixelAt(300 + x, y), PixelAt(400 + x, y));

    // Half transparency and double size.
    image->BlitTransformed(16, 32, 48, 64, 500, 300, 0, 2, 0.5f, false, false);
    Rgb texel = Colour(32, 48);
    EXPECT_TRUE(Near(PixelAt(516, 316), {(texel.r + 255) / 2, texel.g / 2, texel.b / 2}, 3));
    EXPECT_NE(PixelAt(485, 285), kRed);
    EXPECT_EQ(PixelAt(483, 283), kRed);

    // Nothing at scale 0 or alpha 0 or below; the colour is white again.
    image->BlitTransformed(16, 32, 48, 64, 200, 300, 0, 0, 1, false, false);
    image->BlitTransformed(16, 32, 48, 64, 200, 300, 45, 1, 0, false, false);
    image->BlitTransformed(16, 32, 48, 64, 200, 300, 45, 1, -1, false, false);
    image->Blit(0, 0, 8, 8, 200, 400, false, false);
    ExpectPixels({{216, 316, kRed}, {203, 403, Colour(3, 3)}});
}

TEST_P(Draw, FillRectOpaqueAndHalfTransparent) {
    KGraphic::FillRect(0, 0, 640, 480, 1, 1, 1, 1);
    ExpectPixels({{0, 0, kWhite}, {639, 479, kWhite}});
    StartFrame(0, 0, 1);
    KGraphic::FillRect(10, 10, 20, 30, 1, 0.5f, 0, 0.5f);
    EXPECT_TRUE(Near(PixelAt(10, 10), {128, 64, 255}));
    EXPECT_TRUE(Near(PixelAt(19, 29), {128, 64, 255}));
    ExpectPixels({{20, 15, {0, 0, 255}}, {15, 30, {0, 0, 255}}});
    // The window has no alpha channel: what blended draws leave behind
    // never weakens a later fill.
    StartFrame(0, 0, 0);
    image->BlitAlpha(16, 0, 17, 1, 30, 30, false, false); // alpha 128
    Rgb before = PixelAt(30, 30);
    KGraphic::FillRect(30, 30, 31, 31, 0, 0, 1, 0.5f);
    EXPECT_TRUE(Near(PixelAt(30, 30), {before.r, before.g, before.b + 128}));
    // Textures draw unmodulated afterwards.
    image->Blit(0, 0, 4, 4, 50, 50, false, false);
    EXPECT_EQ(PixelAt(51, 51), Colour(1, 1));
}

TEST_P(Draw, WorldViewTurnsAndZoomsAboutTheCentre) {
    StartFrame(0, 0, 0);
    KGraphic::SetWorldView(0, 0, 90, 1, false);
    KGraphic::FillRect(400, 240, 410, 250, 1, 0, 0, 1);   // right of the centre...
    ExpectPixels({{325, 155, kRed}, {405, 245, kBlack}}); // ...turns to above it

    StartFrame(0, 0, 0);
    KGraphic::SetWorldView(0, 0, 0, 0.5f, false);
    KGraphic::FillRect(0, 0, 640, 480, 1, 1, 1, 1);
    ExpectPixels({{161, 121, kWhite}, {478, 358, kWhite}, {158, 118, kBlack}, {482, 362, kBlack}});
    KGraphic::ResetWorldView();
}

TEST_P(Draw, GrabScreenCapturesTheFrameLastShown) {
    for (int i = 0; i < 8; ++i)
        image->Blit(0, 0, 64, 64, i * 80, i * 55, i & 1, i & 2);
    KGraphic::FillRect(600, 0, 640, 40, 0, 1, 0, 1);
    std::vector<Rgb> shown;
    const int probes[][2] = {{0, 0}, {5, 9}, {90, 60}, {600, 5}, {639, 479}, {300, 200}};
    for (auto p : probes)
        shown.push_back(PixelAt(p[0], p[1]));
    TestWindow().Flip(true);

    StartFrame(0, 0, 1); // the frame now being drawn differs
    KGraphic grab;
    ASSERT_TRUE(grab.GrabScreen());
    EXPECT_EQ(std::tuple(grab.imageWidth, grab.imageHeight, grab.GetTextureWidth()),
              std::tuple(640, 480, GetParam() ? 640 : 1024));
    grab.Blit(0, 0, 640, 480, 0, 0, false, false);
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(PixelAt(probes[i][0], probes[i][1]), shown[i]) << "probe " << i;
}

INSTANTIATE_TEST_SUITE_P(RectangleTextures, Draw, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Rectangle" : "PowerOfTwo"; });

} // namespace
