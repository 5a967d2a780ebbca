// Any bytes through the TGA reader: it must never read past the input nor
// ask for more memory than the largest allowed picture.
#include "framework/display/tga_image.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedImage image;
    if (DecodeTga(data, size, image) == TgaError::None) {
        if (image.rgba.size() != static_cast<size_t>(image.width) * image.height * 4) abort();
    } else if (!image.rgba.empty()) {
        abort();
    }
    return 0;
}
