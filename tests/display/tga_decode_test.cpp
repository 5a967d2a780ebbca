// The pure parts of the display layer: TGA decoding, texture layout rules
// and letterbox arithmetic. No window needed.
#include "display_fixture.h"

#include "framework/display/texture_layout.h"
#include "framework/display/tga_image.h"
#include "framework/platform/platform_window.h"

#include <gtest/gtest.h>

namespace {

// Every pixel different, so any misplaced row or column shows.
Rgba Pattern(int x, int y) {
    return {static_cast<uint8_t>(x * 16), static_cast<uint8_t>(y * 16),
            static_cast<uint8_t>(200 - x - y), static_cast<uint8_t>(10 + x + 4 * y)};
}

TgaError Decode(const std::vector<uint8_t>& bytes, DecodedImage& out) {
    return DecodeTga(bytes.data(), bytes.size(), out);
}

const uint8_t* Texel(const DecodedImage& image, int x, int y) {
    return image.rgba.data() + (static_cast<size_t>(y) * image.width + x) * 4;
}

TEST(TgaDecode, ThirtyTwoBitsKeepAlphaAndRowsComeBottomUp) {
    DecodedImage image;
    ASSERT_EQ(Decode(MakeTga(5, 3, 32, Pattern), image), TgaError::None);
    EXPECT_EQ(image.width, 5);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.bitsPerPixel, 32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            Rgba want = Pattern(x, y);
            const uint8_t* got = Texel(image, x, y);
            EXPECT_EQ(got[0], want.r);
            EXPECT_EQ(got[1], want.g);
            EXPECT_EQ(got[2], want.b);
            EXPECT_EQ(got[3], want.a);
        }
    }
}

TEST(TgaDecode, TwentyFourBitsAreOpaque) {
    DecodedImage image;
    ASSERT_EQ(Decode(MakeTga(4, 2, 24, Pattern), image), TgaError::None);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(Texel(image, x, y)[0], Pattern(x, y).r);
            EXPECT_EQ(Texel(image, x, y)[2], Pattern(x, y).b);
            EXPECT_EQ(Texel(image, x, y)[3], 255);
        }
    }
}

TEST(TgaDecode, TagAndDescriptorAndOriginAndOddDepths) {
    DecodedImage plain, tagged;
    ASSERT_EQ(Decode(MakeTga(3, 3, 32, Pattern), plain), TgaError::None);
    ASSERT_EQ(Decode(MakeTga(3, 3, 32, Pattern, true), tagged), TgaError::None);
    EXPECT_EQ(plain.rgba, tagged.rgba);

    // The top-down bit of the descriptor changes nothing.
    auto bytes = MakeTga(3, 3, 32, Pattern);
    bytes[17] = 0x20;
    bytes[8] = 7;  // x-origin 7
    bytes[11] = 1; // y-origin 256
    DecodedImage flagged;
    ASSERT_EQ(Decode(bytes, flagged), TgaError::None);
    EXPECT_EQ(flagged.rgba, plain.rgba);
    EXPECT_EQ(flagged.originX, 7);
    EXPECT_EQ(flagged.originY, 256);

    // 40 bits per pixel: a transparent picture of the stated size.
    auto odd = MakeTga(2, 2, 32, Pattern);
    odd[16] = 40;
    DecodedImage blank;
    ASSERT_EQ(Decode(odd, blank), TgaError::None);
    EXPECT_EQ(blank.rgba, std::vector<uint8_t>(16, 0));
}

TEST(TgaDecode, RefusesWhatItCannotReadSafely) {
    DecodedImage image;
    EXPECT_EQ(Decode(MakeTga(2, 2, 16, Pattern), image), TgaError::UnsupportedFormat);
    EXPECT_EQ(Decode(MakeTga(2, 2, 8, Pattern), image), TgaError::UnsupportedFormat);
    EXPECT_EQ(Decode(MakeTga(0, 2, 32, Pattern), image), TgaError::UnsupportedFormat);

    // Pixel data shorter than the header says: refused, never over-read.
    auto shortFile = MakeTga(8, 8, 32, Pattern);
    shortFile.resize(shortFile.size() - 1);
    EXPECT_EQ(Decode(shortFile, image), TgaError::OutOfData);
    EXPECT_TRUE(image.rgba.empty());
    auto header = MakeTga(8, 8, 32, Pattern);
    header.resize(17);
    EXPECT_EQ(Decode(header, image), TgaError::OutOfData);
    EXPECT_EQ(DecodeTga(nullptr, 0, image), TgaError::OutOfData);

    // A header claiming 65535 x 65535 fails before any allocation.
    auto huge = MakeTga(1, 1, 32, Pattern);
    huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
    huge[16] = 40; // a depth whose pixels are not read
    EXPECT_EQ(Decode(huge, image), TgaError::TooLarge);
}

TEST(TextureLayout, SizesAndKinds) {
    EXPECT_EQ(TexturePowerOfTwo(1), 4);
    EXPECT_EQ(TexturePowerOfTwo(4), 4);
    EXPECT_EQ(TexturePowerOfTwo(5), 8);
    EXPECT_EQ(TexturePowerOfTwo(640), 1024);

    auto check = [](TextureLayout got, uint32_t target, int w, int h) {
        EXPECT_EQ(got.target, target);
        EXPECT_EQ(got.width, w);
        EXPECT_EQ(got.height, h);
    };
    check(ImageTextureLayout(640, 480, false), kTexture2D, 1024, 1024);
    check(ImageTextureLayout(640, 480, true), kTextureRectangle, 640, 480);
    check(ImageTextureLayout(32, 32, true), kTexture2D, 32, 32);
    check(ImageTextureLayout(32, 32, false), kTexture2D, 32, 32);
    check(ImageTextureLayout(2, 2, false), kTexture2D, 4, 4);
    check(ImageTextureLayout(2, 2, true), kTextureRectangle, 2, 2);
    // Screen grabs have no square exception.
    check(ScreenTextureLayout(512, 512, true), kTextureRectangle, 512, 512);
}

TEST(Letterbox, FitsCentresAndMapsBack) {
    platform::Letterbox wide = platform::ComputeLetterbox(1920, 1080, 640, 480);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 1080);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);
    int gx = 0, gy = 0;
    platform::WindowToGame(wide, 240, 0, &gx, &gy);
    EXPECT_EQ(gx, 0);
    EXPECT_EQ(gy, 0);
    platform::WindowToGame(wide, 1679, 1079, &gx, &gy);
    EXPECT_EQ(gx, 639);
    EXPECT_EQ(gy, 479);
    platform::WindowToGame(wide, 239, 540, &gx, &gy); // on the left bar
    EXPECT_EQ(gx, -1);

    platform::Letterbox tall = platform::ComputeLetterbox(1280, 1024, 640, 480);
    EXPECT_EQ(tall.width, 1280);
    EXPECT_EQ(tall.height, 960);
    EXPECT_EQ(tall.y, 32);
    platform::WindowToGame(tall, 2, 33, &gx, &gy);
    EXPECT_EQ(gx, 1);
    EXPECT_EQ(gy, 0);
}

} // namespace
