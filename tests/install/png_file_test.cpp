// The desktop icon's PNG, read back by an independent decoder (ImageMagick):
// a broken chunk CRC, row layout or colour type shows up as a refusal or as
// pixels that differ.
#include "image_files.h"
#include "tools/icon/png_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kConvert = "/usr/bin/convert";

std::optional<art::Image> readWithImageMagick(const fs::path& png, int width, int height) {
    fs::path raw = png;
    raw += ".rgba";
    std::string command = std::string(kConvert) + " '" + png.string() +
                          "' -depth 8 'rgba:" + raw.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    auto bytes = art::readFile(raw.string());
    fs::remove(raw);
    if (!bytes || bytes->size() != static_cast<std::size_t>(width) * height * 4)
        return std::nullopt;
    return art::Image{width, height, *bytes};
}

class PngFile : public ::testing::Test {
  protected:
    void SetUp() override {
        if (access(kConvert, X_OK) != 0) GTEST_SKIP() << "ImageMagick not installed";
        dir_ = fs::temp_directory_path() / ("png_file_test." + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(PngFile, EveryChannelOfEveryPixelSurvives) {
    // An odd width and varied alpha, so a wrong row stride or dropped channel shows.
    art::Image img{5, 3, {}};
    for (int i = 0; i < 5 * 3; ++i)
        img.rgba.insert(img.rgba.end(),
                        {static_cast<std::uint8_t>(17 * i), static_cast<std::uint8_t>(255 - 13 * i),
                         static_cast<std::uint8_t>(i * i), static_cast<std::uint8_t>(i * 18)});
    fs::path png = dir_ / "small.png";
    ASSERT_TRUE(art::writeFile(png.string(), icon::encodePng(img)));
    auto back = readWithImageMagick(png, 5, 3);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->rgba, img.rgba);
}

TEST_F(PngFile, DesktopIconIsTheWindowIcon) {
    auto tga = art::readFile(ORBOLO_GFX_DIR "/icon.tga");
    ASSERT_TRUE(tga.has_value());
    auto icon = art::decodeTga(*tga);
    ASSERT_TRUE(icon.has_value());
    ASSERT_EQ(icon->width, 64);
    ASSERT_EQ(icon->height, 64);
    auto png = readWithImageMagick(ORBOLO_ICON_PNG, 64, 64);
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->rgba, icon->rgba);
}

} // namespace
