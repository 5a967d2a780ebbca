// The pure parts of the display layer: TGA decoding and letterbox
// arithmetic. No window needed.
#include "display_fixture.h"

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

TEST(TgaDecode, PixelsComeOutTopDownInRgbaWithAlphaOnlyFromThirtyTwoBits) {
    for (int bits : {32, 24}) {
        DecodedImage image;
        ASSERT_EQ(Decode(MakeTga(5, 3, bits, Pattern), image), TgaError::None);
        EXPECT_EQ(std::vector<int>({image.width, image.height, image.bitsPerPixel}),
                  std::vector<int>({5, 3, bits}));
        std::vector<uint8_t> want;
        for (int i = 0; i < 15; ++i) {
            const Rgba p = Pattern(i % 5, i / 5);
            want.insert(want.end(), {p.r, p.g, p.b, bits == 32 ? p.a : uint8_t(255)});
        }
        EXPECT_EQ(image.rgba, want) << bits << " bits";
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
    EXPECT_EQ(std::pair(flagged.originX, flagged.originY), std::pair(7, 256));

    // 40 bits per pixel: a transparent picture of the stated size.
    auto odd = MakeTga(2, 2, 32, Pattern);
    odd[16] = 40;
    DecodedImage blank;
    ASSERT_EQ(Decode(odd, blank), TgaError::None);
    EXPECT_EQ(blank.rgba, std::vector<uint8_t>(16, 0));
}

TEST(TgaDecode, RefusesWhatItCannotReadSafely) {
    auto shortFile = MakeTga(8, 8, 32, Pattern);
    shortFile.pop_back(); // pixel data shorter than the header says
    auto header = MakeTga(8, 8, 32, Pattern);
    header.resize(17);
    auto huge = MakeTga(1, 1, 32, Pattern); // 65535 x 65535: fails before any allocation
    huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
    huge[16] = 40; // a depth whose pixels are not read
    struct Case {
        std::vector<uint8_t> bytes;
        TgaError error;
    } cases[] = {{MakeTga(2, 2, 16, Pattern), TgaError::UnsupportedFormat},
                 {MakeTga(2, 2, 8, Pattern), TgaError::UnsupportedFormat},
                 {MakeTga(0, 2, 32, Pattern), TgaError::UnsupportedFormat},
                 {shortFile, TgaError::OutOfData},
                 {header, TgaError::OutOfData},
                 {huge, TgaError::TooLarge}};
    for (const Case& c : cases) {
        DecodedImage image;
        EXPECT_EQ(Decode(c.bytes, image), c.error) << c.bytes.size() << " bytes";
        EXPECT_TRUE(image.rgba.empty());
    }
    DecodedImage image;
    EXPECT_EQ(DecodeTga(nullptr, 0, image), TgaError::OutOfData);
}

TEST(Letterbox, FitsCentresAndMapsBack) {
    struct Case {
        int screenW, screenH, x, y, w, h;   // the picture's place
        int windowX, windowY, gameX, gameY; // a point mapped back
    } cases[] = {{1920, 1080, 240, 0, 1440, 1080, 240, 0, 0, 0},
                 {1920, 1080, 240, 0, 1440, 1080, 1679, 1079, 639, 479},
                 {1920, 1080, 240, 0, 1440, 1080, 239, 540, -1, 240}, // on the left bar
                 {1280, 1024, 0, 32, 1280, 960, 2, 33, 1, 0}};        // bars above and below
    for (const Case& c : cases) {
        platform::Letterbox box = platform::ComputeLetterbox(c.screenW, c.screenH, 640, 480);
        EXPECT_EQ(std::vector<int>({box.x, box.y, box.width, box.height}),
                  std::vector<int>({c.x, c.y, c.w, c.h}));
        int gx = 0, gy = 0;
        platform::WindowToGame(box, c.windowX, c.windowY, &gx, &gy);
        EXPECT_EQ(std::pair(gx, gy), std::pair(c.gameX, c.gameY)) << c.windowX << "," << c.windowY;
    }
}

} // namespace
