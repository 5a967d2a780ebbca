#include "image_files.h"

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
    std::size_t at = 0;
    if (bytes.size() >= 4 && bytes[0] == 'p' && bytes[1] == 'i' && bytes[2] == 'h' &&
        bytes[3] == 's')
        at = 4;
    if (bytes.size() < at + 18) return std::nullopt;
    const std::uint8_t* h = &bytes[at];
    if (h[0] != 0 || h[1] != 0 || h[2] != 2) return std::nullopt;
    int bpp = h[16];
    if (bpp != 24 && bpp != 32) return std::nullopt;
    Image img;
    img.width = h[12] | (h[13] << 8);
    img.height = h[14] | (h[15] << 8);
    std::size_t step = static_cast<std::size_t>(bpp / 8);
    std::size_t need = static_cast<std::size_t>(img.width) * img.height * step;
    if (bytes.size() - at - 18 < need) return std::nullopt;
    img.rgba.resize(static_cast<std::size_t>(img.width) * img.height * 4);
    const std::uint8_t* src = h + 18;
    for (int y = img.height - 1; y >= 0; --y)
        for (int x = 0; x < img.width; ++x, src += step) {
            std::uint8_t* d = &img.rgba[(static_cast<std::size_t>(y) * img.width + x) * 4];
            d[0] = src[2];
            d[1] = src[1];
            d[2] = src[0];
            d[3] = step == 4 ? src[3] : 255;
        }
    return img;
}

} // namespace art
