#include "image_files.h"

#include "framework/display/tga_image.h"

namespace art {

std::vector<std::uint8_t> encodeTga(const Image& img) {
    std::vector<std::uint8_t> out(18, 0);
    out[2] = 2; // uncompressed true colour
    out[12] = static_cast<std::uint8_t>(img.width & 0xff);
    out[13] = static_cast<std::uint8_t>(img.width >> 8);
    out[14] = static_cast<std::uint8_t>(img.height & 0xff);
    out[15] = static_cast<std::uint8_t>(img.height >> 8);
    out[16] = 32;
    out[17] = 8; // eight alpha bits, origin bottom-left
    for (int y = img.height - 1; y >= 0; --y)
        for (int x = 0; x < img.width; ++x) {
            const std::uint8_t* p = img.px(x, y);
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    return out;
}

std::optional<Image> decodeTga(const std::vector<std::uint8_t>& bytes) {
    DecodedImage decoded;
    if (DecodeTga(bytes.data(), bytes.size(), decoded) != TgaError::None) return std::nullopt;
    return Image{decoded.width, decoded.height, std::move(decoded.rgba)};
}

} // namespace art
