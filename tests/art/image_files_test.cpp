// The files are in the formats the game's loaders accept, at the sizes
// the game expects, and the generator makes the same bytes every time.
#include "gfx_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace arttest {
namespace {

const char* const kAllFiles[] = {"play2.tga",   "font2.jpg",    "font.tga",      "menu.jpg",
                                 "back.jpg",    "select.jpg",   "logo.jpg",      "TORV.tga",
                                 "pointer.tga", "Pointer2.tga", "Pointer_s.tga", "icon.tga"};

TEST(ArtFiles, TgaFilesAreUncompressed32BitBottomUpAtTheirSizes) {
    struct Expect {
        const char* name;
        int w, h;
        int strongestAlpha; // a shadow is never fully solid
    } files[] = {{"play2.tga", 512, 512, 255},  {"font.tga", 128, 128, 255},
                 {"TORV.tga", 50, 50, 255},     {"pointer.tga", 32, 32, 255},
                 {"Pointer2.tga", 32, 32, 255}, {"Pointer_s.tga", 32, 32, 128},
                 {"icon.tga", 64, 64, 255}};
    for (const Expect& e : files) {
        auto bytes = art::readFile(std::string(ORBOLO_GFX_DIR) + "/" + e.name);
        ASSERT_TRUE(bytes) << e.name;
        const auto& b = *bytes;
        ASSERT_GE(b.size(), 18u);
        EXPECT_EQ(b[0], 0) << e.name << ": no image ID";
        EXPECT_EQ(b[1], 0) << e.name << ": no colour map";
        EXPECT_EQ(b[2], 2) << e.name << ": uncompressed true colour";
        EXPECT_EQ(b[12] | (b[13] << 8), e.w) << e.name;
        EXPECT_EQ(b[14] | (b[15] << 8), e.h) << e.name;
        EXPECT_EQ(b[16], 32) << e.name;
        EXPECT_EQ(b.size(), 18u + static_cast<std::size_t>(e.w) * e.h * 4) << e.name;
        // Real alpha: some texels fully clear, some solid.
        const Image& img = gfx(e.name);
        bool clear = false;
        int strongest = 0;
        for (std::size_t i = 3; i < img.rgba.size(); i += 4) {
            clear |= img.rgba[i] == 0;
            strongest = std::max<int>(strongest, img.rgba[i]);
        }
        EXPECT_TRUE(clear) << e.name;
        EXPECT_GE(strongest, e.strongestAlpha) << e.name;
    }
}

TEST(ArtFiles, JpegFilesDecodeAtTheirSizes) {
    struct Expect {
        const char* name;
        int w, h;
    } files[] = {{"font2.jpg", 512, 512},
                 {"menu.jpg", 256, 256},
                 {"back.jpg", 580, 490},
                 {"select.jpg", 512, 512},
                 {"logo.jpg", 640, 480}};
    for (const Expect& e : files) {
        const Image& img = gfx(e.name);
        EXPECT_EQ(img.width, e.w) << e.name;
        EXPECT_EQ(img.height, e.h) << e.name;
    }
}

TEST(ArtFiles, TgaRowsAreWrittenBottomUpInBlueGreenRedAlphaOrder) {
    // 2 x 2: red, green on top; blue, half-clear white below.
    Image img{2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 128}};
    auto bytes = art::encodeTga(img);
    ASSERT_EQ(bytes.size(), 18u + 16u);
    const std::uint8_t firstPixel[] = {255, 0, 0, 255}; // blue, stored as B, G, R, A
    EXPECT_TRUE(std::equal(firstPixel, firstPixel + 4, &bytes[18]));
    const std::uint8_t lastPixel[] = {0, 255, 0, 255}; // green, top right
    EXPECT_TRUE(std::equal(lastPixel, lastPixel + 4, &bytes[30]));
    auto back = art::decodeTga(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->rgba, img.rgba);
}

TEST(ArtFiles, TgaReaderSkipsTheTagAndRefusesWhatTheGameRefuses) {
    Image img{1, 1, {10, 20, 30, 40}};
    auto bytes = art::encodeTga(img);
    auto tagged = bytes;
    tagged.insert(tagged.begin(), {'p', 'i', 'h', 's'});
    ASSERT_TRUE(art::decodeTga(tagged));
    EXPECT_EQ(art::decodeTga(tagged)->rgba, img.rgba);
    auto sixteen = bytes;
    sixteen[16] = 16;
    EXPECT_FALSE(art::decodeTga(sixteen));
    auto shortFile = bytes;
    shortFile.pop_back();
    EXPECT_FALSE(art::decodeTga(shortFile));
}

TEST(ArtFiles, TwoGeneratorRunsWriteIdenticalBytes) {
    namespace fs = std::filesystem;
    fs::path base = fs::temp_directory_path() / ("orbolo_art_" + std::to_string(::getpid()));
    for (const char* run : {"a", "b"}) {
        fs::create_directories(base / run);
        std::string cmd = std::string("'") + ORBOLO_ARTGEN + "' '" + (base / run).string() + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    for (const char* name : kAllFiles) {
        auto a = art::readFile((base / "a" / name).string());
        auto b = art::readFile((base / "b" / name).string());
        auto built = art::readFile(std::string(ORBOLO_GFX_DIR) + "/" + name);
        ASSERT_TRUE(a && b && built) << name;
        EXPECT_EQ(*a, *b) << name;
        EXPECT_EQ(*a, *built) << name;
    }
    fs::remove_all(base);
}

} // namespace
} // namespace arttest
