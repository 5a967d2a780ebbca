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

TEST(PngFile, EveryChannelOfEveryPixelSurvivesAndTheDesktopIconIsTheWindowIcon) {
    if (access(kConvert, X_OK) != 0) GTEST_SKIP() << "ImageMagick not installed";
    // An odd width and varied alpha, so a wrong row stride or dropped channel shows.
    art::Image img{5, 3, {}};
    for (int i = 0; i < 5 * 3; ++i)
        img.rgba.insert(img.rgba.end(), {std::uint8_t(17 * i), std::uint8_t(255 - 13 * i),
                                         std::uint8_t(i * i), std::uint8_t(i * 18)});
    fs::path png = fs::temp_directory_path() / ("png_file_test." + std::to_string(getpid()));
    ASSERT_TRUE(art::writeFile(png.string(), icon::encodePng(img)));
    auto back = readWithImageMagick(png, 5, 3);
    fs::remove(png);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->rgba, img.rgba);

    auto icon = art::decodeTga(art::readFile(ORBOLO_GFX_DIR "/icon.tga").value());
    ASSERT_TRUE(icon && icon->width == 64 && icon->height == 64);
    auto desktop = readWithImageMagick(ORBOLO_ICON_PNG, 64, 64);
    ASSERT_TRUE(desktop.has_value());
    EXPECT_EQ(desktop->rgba, icon->rgba);
}

} // namespace
