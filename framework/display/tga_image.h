// The framework's TGA reader as a pure function: bytes in, pixels out.
// Uncompressed true-colour only; no image ID or colour map is expected.
// A file may start with the 4-byte tag "pihs", which is skipped.
#pragma once
#include "framework/display/decoded_image.h"

#include <cstddef>
#include <cstdint>

enum class TgaError {
    None,
    OutOfData,         // shorter than its header, or than its pixels
    UnsupportedFormat, // not uncompressed true colour (image type 2, no colour
                       // map), fewer than 24 bits per pixel, or an empty picture
    TooLarge,          // a side beyond kMaxImageSide
};

// Rows are always taken bottom-up (the first row in the file is the bottom
// of the picture), whatever the descriptor byte says. 24-bit pixels become
// opaque, 32-bit pixels keep their alpha; other depths of 24 or more give a
// fully transparent picture of the stated size. On failure `out` is empty.
TgaError DecodeTga(const uint8_t* data, size_t size, DecodedImage& out);
