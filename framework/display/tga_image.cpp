#include "framework/display/tga_image.h"

#include <cstring>

namespace {

constexpr size_t kHeaderSize = 18;

int ReadU16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}

} // namespace

TgaError DecodeTga(const uint8_t* data, size_t size, DecodedImage& out) {
    out = DecodedImage{};
    if (data && size >= 4 && std::memcmp(data, "pihs", 4) == 0) {
        data += 4;
        size -= 4;
    }
    if (!data || size < kHeaderSize) return TgaError::OutOfData;
    int width = ReadU16(data + 12);
    int height = ReadU16(data + 14);
    int bits = data[16];
    // Random bytes rarely pass this, so they are told apart from pictures
    // that are merely large.
    const bool trueColour = data[1] == 0 && data[2] == 2;
    if (!trueColour || bits < 24 || width == 0 || height == 0) return TgaError::UnsupportedFormat;
    if (width > kMaxImageSide || height > kMaxImageSide) return TgaError::TooLarge;

    const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    const bool decoded = bits == 24 || bits == 32;
    const size_t bytesPerPixel = static_cast<size_t>(bits) / 8;
    // The header's word is checked against the bytes really there.
    if (decoded && size - kHeaderSize < pixels * bytesPerPixel) return TgaError::OutOfData;

    out.width = width;
    out.height = height;
    out.originX = ReadU16(data + 8);
    out.originY = ReadU16(data + 10);
    out.bitsPerPixel = bits;
    out.rgba.assign(pixels * 4, 0);
    if (!decoded) return TgaError::None;

    const uint8_t* body = data + kHeaderSize;
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = body + static_cast<size_t>(height - 1 - y) * width * bytesPerPixel;
        uint8_t* dst = out.rgba.data() + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; ++x, src += bytesPerPixel, dst += 4) {
            dst[0] = src[2];
            dst[1] = src[1];
            dst[2] = src[0];
            dst[3] = bytesPerPixel == 4 ? src[3] : 255;
        }
    }
    return TgaError::None;
}
