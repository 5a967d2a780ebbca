#include "framework/display/texture_layout.h"

#include <algorithm>
#include <cstring>

int TexturePowerOfTwo(int side) {
    int p = 2;
    do {
        p *= 2;
    } while (p < side);
    return p;
}

TextureLayout ScreenTextureLayout(int width, int height, bool hasTextureRectangle) {
    if (hasTextureRectangle) return {platform::TextureKind::Rectangle, width, height};
    int p = TexturePowerOfTwo(std::max(width, height));
    return {platform::TextureKind::PowerOfTwo, p, p};
}

TextureLayout ImageTextureLayout(int width, int height, bool hasTextureRectangle) {
    int p = TexturePowerOfTwo(std::max(width, height));
    if (width == p && height == p) return {platform::TextureKind::PowerOfTwo, p, p};
    return ScreenTextureLayout(width, height, hasTextureRectangle);
}

std::vector<uint8_t> PadIntoTexture(const DecodedImage& image, const TextureLayout& layout) {
    std::vector<uint8_t> texels(static_cast<size_t>(layout.width) * layout.height * 4, 0);
    const size_t rowBytes = static_cast<size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(texels.data() + static_cast<size_t>(y) * layout.width * 4,
                    image.rgba.data() + y * rowBytes, rowBytes);
    }
    return texels;
}
