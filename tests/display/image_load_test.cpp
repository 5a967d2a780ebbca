// Loading real image files into textures on a real GL context: texture
// kinds and sizes, internal formats, kept pixels, freeing, JPEG decoding
// and the exact failure messages.
#include "display_fixture.h"

#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/platform/platform_renderer.h"
#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

namespace {

Rgba Gradient(int x, int y) {
    return {static_cast<uint8_t>(x * 255 / 63), static_cast<uint8_t>(y * 255 / 47),
            static_cast<uint8_t>(128 + (x - y) / 2), 255};
}

Rgba Solid(int, int) {
    return {10, 200, 30, 99};
}

class ImageLoad : public ::testing::Test {
  protected:
    void SetUp() override {
        TestWindow();
        KDisplayWindow::SetTextureRectangleAvailable(true);
        ClearMessages();
    }
    void TearDown() override { KDisplayWindow::SetTextureRectangleAvailable(true); }

    static GLenum Target(const KGraphic& g) {
        return g.GetTextureKind() == platform::TextureKind::Rectangle ? GL_TEXTURE_RECTANGLE
                                                                      : GL_TEXTURE_2D;
    }
    static GLint Level0(const KGraphic& g, GLenum what) {
        GLint value = 0;
        glBindTexture(Target(g), g.GetTextureId());
        glGetTexLevelParameteriv(Target(g), 0, what, &value);
        return value;
    }
    static void ExpectTexture(const KGraphic& g, GLenum target, int w, int h) {
        EXPECT_EQ(
            std::vector<double>({double(Target(g)), g.GetTextureWidth(), g.GetTextureHeight(),
                                 double(Level0(g, GL_TEXTURE_WIDTH)),
                                 double(Level0(g, GL_TEXTURE_HEIGHT))}),
            std::vector<double>({double(target), double(w), double(h), double(w), double(h)}));
    }
};

TEST_F(ImageLoad, TextureKindsAndSizesWithAndWithoutRectangles) {
    auto jpg = WriteTempFile("screen.jpg", MakeJpeg(640, 480, Gradient, 90));
    auto square = WriteTempFile("square.tga", MakeTga(32, 32, 32, Solid));
    auto tiny = WriteTempFile("tiny.tga", MakeTga(2, 2, 24, Solid));
    for (bool rectangles : {false, true}) {
        SCOPED_TRACE(rectangles ? "with rectangle textures" : "without rectangle textures");
        KDisplayWindow::SetTextureRectangleAvailable(rectangles);
        KGraphic screen, sprite, small;
        ASSERT_TRUE(screen.LoadImage(jpg.c_str(), true, true, true));
        ASSERT_TRUE(sprite.LoadImage(square.c_str(), true, false, true));
        ASSERT_TRUE(small.LoadImage(tiny.c_str(), true, true, true));
        EXPECT_EQ(std::pair(screen.imageWidth, screen.imageHeight), std::pair(640.f, 480.f));
        if (rectangles) {
            ExpectTexture(screen, GL_TEXTURE_RECTANGLE, 640, 480);
            ExpectTexture(small, GL_TEXTURE_RECTANGLE, 2, 2);
        } else {
            ExpectTexture(screen, GL_TEXTURE_2D, 1024, 1024);
            ExpectTexture(small, GL_TEXTURE_2D, 4, 4);
            // Opaque picture, transparent black padding beyond it.
            const auto& px = screen.GetKeptPixels();
            ASSERT_EQ(px.size(), 1024u * 1024 * 4);
            EXPECT_EQ(px[(479 * 1024 + 639) * 4 + 3], 255);
            EXPECT_EQ(px[(479 * 1024 + 640) * 4 + 3], 0);
            EXPECT_EQ(px[(480 * 1024 + 0) * 4 + 0], 0);
        }
        ExpectTexture(sprite, GL_TEXTURE_2D, 32, 32);
        EXPECT_TRUE(sprite.GetKeptPixels().empty());
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ImageLoad, InternalFormatFollowsAlphaAndTrueColour) {
    auto path = WriteTempFile("formats.tga", MakeTga(8, 8, 32, Solid));
    struct Case {
        bool alpha, trueColour;
        GLint format;
    } cases[] = {{true, true, GL_RGBA8},
                 {true, false, GL_RGBA},
                 {false, true, GL_RGB8},
                 {false, false, GL_RGB}};
    for (const Case& c : cases) {
        KGraphic g;
        ASSERT_TRUE(g.LoadImage(path.c_str(), c.alpha, false, c.trueColour));
        EXPECT_EQ(Level0(g, GL_TEXTURE_INTERNAL_FORMAT), c.format);
    }
}

TEST_F(ImageLoad, FreeImageDeletesTheTextureOnce) {
    auto path = WriteTempFile("free.tga", MakeTga(8, 8, 32, Solid));
    KGraphic g;
    g.FreeImage(); // empty: nothing happens
    ASSERT_TRUE(g.LoadImage(path.c_str(), true, true, true));
    GLuint id = g.GetTextureId();
    EXPECT_TRUE(glIsTexture(id));
    g.FreeImage();
    EXPECT_FALSE(glIsTexture(id));
    EXPECT_EQ(g.imageWidth, 0);
    EXPECT_TRUE(g.GetKeptPixels().empty());
    g.FreeImage();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ImageLoad, JpegDecodesCloseToItsSource) {
    auto path = WriteTempFile("gradient.jpg", MakeJpeg(64, 48, Gradient, 95));
    KDisplayWindow::SetTextureRectangleAvailable(false);
    KGraphic g;
    ASSERT_TRUE(g.LoadImage(path.c_str(), true, true, true));
    ASSERT_EQ(std::tuple(g.imageWidth, g.imageHeight, g.originX), std::tuple(64.f, 48.f, 0.f));
    const auto& px = g.GetKeptPixels();
    int worst = 0;
    for (int i = 0; i < 64 * 48; ++i) {
        const Rgba want = Gradient(i % 64, i / 64);
        const uint8_t* got = &px[size_t(i) * 4];
        worst = std::max({worst, std::abs(got[0] - want.r), std::abs(got[1] - want.g),
                          std::abs(got[2] - want.b)});
        ASSERT_EQ(got[3], 255) << i;
    }
    EXPECT_LE(worst, 6);
}

// Each bad file gives one message naming it with the true reason, and the
// object stays usable: a failed load keeps what was there.
TEST_F(ImageLoad, FailuresShowTheirMessagesAndLeaveTheObjectReusable) {
    auto truncated = MakeTga(16, 16, 32, Solid);
    truncated.resize(truncated.size() - 10);
    // A real JPEG whose frame header claims 60000 x 60000 pixels.
    auto jpeg = MakeJpeg(16, 16, Gradient, 90);
    for (size_t i = 0; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = jpeg[i + 7] = 0xEA;
            jpeg[i + 6] = jpeg[i + 8] = 0x60;
            break;
        }
    }
    // Random bytes named .tga are no picture, whatever their header claims.
    std::vector<uint8_t> noise(4096);
    uint32_t state = 12345;
    for (uint8_t& byte : noise)
        byte = uint8_t((state = state * 1103515245u + 12345u) >> 24);
    struct Case {
        std::string path, caption;
    } cases[] = {{WriteTempFile("sixteen.tga", MakeTga(4, 4, 16, Solid)), "Non supported Format"},
                 {WriteTempFile("short.tga", truncated), "Out of data to read"},
                 {WriteTempFile("empty.tga", {}), "file is 0 byte"},
                 {WriteTempFile("x", {}) + "-missing.tga", "Could not open file"},
                 {WriteTempFile("y", {}) + "-missing.jpg", "file not found"},
                 {WriteTempFile("empty.jpg", {}), "file is corrupt"},
                 {WriteTempFile("garbage.jpg", {1, 2, 3, 4, 5, 6, 7, 8}), "File is corrupted"},
                 // A TGA named in capitals goes to the picture decoder, which refuses it.
                 {WriteTempFile("capitals.TGA", MakeTga(4, 4, 32, Solid)), "File is corrupted"},
                 {WriteTempFile("huge.jpg", jpeg), "Picture too large"},
                 {WriteTempFile("random.tga", noise), "Non supported Format"}};
    KGraphic g;
    for (const Case& c : cases) {
        ClearMessages();
        EXPECT_FALSE(g.LoadImage(c.path.c_str(), true, false, true));
        EXPECT_EQ(Messages(), (std::vector<CapturedMessage>{{c.caption, c.path}}));
        EXPECT_EQ(std::pair(g.imageWidth, g.GetTextureId()), std::pair(0.f, 0u));
    }
    auto good = WriteTempFile("good.tga", MakeTga(8, 8, 32, Solid));
    ASSERT_TRUE(g.LoadImage(good.c_str(), true, false, true));
    EXPECT_FALSE(g.LoadImage(cases[3].path.c_str(), true, false, true));
    EXPECT_EQ(g.imageWidth, 8);
    EXPECT_TRUE(glIsTexture(g.GetTextureId()));
    // Only the file name's ending counts: a JPEG in a folder named *.tga.
    const std::filesystem::path folder =
        std::filesystem::path(cases[3].path).parent_path() / "games.tga";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(WriteTempFile("in.jpg", MakeJpeg(8, 8, Gradient, 90)),
                               folder / "back.jpg",
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_TRUE(g.LoadImage((folder / "back.jpg").c_str(), true, false, true));
}

} // namespace
