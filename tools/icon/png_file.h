// Writing 8-bit RGBA PNG files, the format desktop icon themes want; the
// game's own images stay TGA and JPEG.
#pragma once

#include "image_files.h"

#include <cstdint>
#include <vector>

namespace icon {

std::vector<std::uint8_t> encodePng(const art::Image& img);

} // namespace icon
