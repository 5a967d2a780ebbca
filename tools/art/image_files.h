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
// Accepts what the game's reader accepts: an optional "pihs" tag, type 2,
// 24 or 32 bits, rows bottom-up.
std::optional<Image> decodeTga(const std::vector<std::uint8_t>& bytes);

// Quality 0..100, full-resolution colour (no chroma subsampling) so that
// coloured art does not bleed into the black around text.
std::vector<std::uint8_t> encodeJpeg(const Image& img, int quality);
std::optional<Image> decodeJpeg(const std::vector<std::uint8_t>& bytes);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::optional<std::vector<std::uint8_t>> readFile(const std::string& path);

} // namespace art
