// Texture kind and size for a picture, and the texture-sized pixel buffer.
// Pure: no GL calls, so the rules can be checked without a context.
#pragma once
#include "framework/display/decoded_image.h"
#include "framework/platform/platform_renderer.h"

#include <cstdint>
#include <vector>

struct TextureLayout {
    platform::TextureKind kind = platform::TextureKind::PowerOfTwo;
    int width = 0;
    int height = 0;
};

// The smallest power of two holding `side`, and never below 4.
int TexturePowerOfTwo(int side);

// Images: a p x p power-of-two texture, or with rectangle textures one of
// exactly the image's size, except that a square power-of-two image keeps
// an ordinary texture.
TextureLayout ImageTextureLayout(int width, int height, bool hasTextureRectangle);

// Screen grabs: as for images but without the square exception.
TextureLayout ScreenTextureLayout(int width, int height, bool hasTextureRectangle);

// The picture in the top-left corner of a zeroed (transparent black)
// texture-sized RGBA buffer.
std::vector<uint8_t> PadIntoTexture(const DecodedImage& image, const TextureLayout& layout);
