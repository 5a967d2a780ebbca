// Any bytes through the JPEG decoder. Pictures are capped at 2048 pixels a
// side here (8192 in the game) so that each run stays fast.
#include "framework/platform/platform_jpeg.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    platform::JpegError error = platform::DecodeJpeg(data, size, 2048, &width, &height, rgb);
    if (error == platform::JpegError::None) {
        if (rgb.size() != static_cast<size_t>(width) * height * 3) abort();
    } else if (!rgb.empty() || width || height) {
        abort();
    }
    return 0;
}
