// Reading and writing the two image formats the game loads: uncompressed
// 32-bit TGA (bottom-up rows, no image ID, no colour map) and baseline JPEG.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace art {

// 8-bit straight RGBA, rows top-down.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
    const std::uint8_t* px(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
};

std::vector<std::uint8_t> encodeTga(const Image& img);
// Read back by the game's own TGA reader (framework/display/tga_image.h), so
// a file the generator writes is checked as the game will see it.
std::optional<Image> decodeTga(const std::vector<std::uint8_t>& bytes);

// Quality 0..100, full-resolution colour (no chroma subsampling) so that
// coloured art does not bleed into the black around text.
std::vector<std::uint8_t> encodeJpeg(const Image& img, int quality);
std::optional<Image> decodeJpeg(const std::vector<std::uint8_t>& bytes);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
// The whole file, by the framework's reader; nothing for a missing or empty one.
std::optional<std::vector<std::uint8_t>> readFile(const std::string& path);

} // namespace art
