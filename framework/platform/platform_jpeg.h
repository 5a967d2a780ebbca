// JPEG decoding from a file's bytes, through TurboJPEG.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

enum class JpegError {
    None,
    Corrupt,  // not a JPEG TurboJPEG can decode
    TooLarge, // a side beyond maxSide: refused before allocating anything
};

// Decodes to 8-bit RGB, rows from the top, no padding. On failure `rgb` is
// left empty and the sizes are 0.
JpegError DecodeJpeg(const uint8_t* data, size_t size, int maxSide, int* width, int* height,
                     std::vector<uint8_t>& rgb);

} // namespace platform
