// A decoded picture as both image readers give it: RGBA, rows from the top.
#pragma once
#include <cstdint>
#include <vector>

// Largest side an image may have. The game's largest picture is 640 x 480;
// the bound keeps a hostile header from asking for gigabytes.
constexpr int kMaxImageSide = 8192;

struct DecodedImage {
    int width = 0;
    int height = 0;
    int originX = 0; // the TGA header's origin fields; 0 for other formats
    int originY = 0;
    int bitsPerPixel = 0;
    std::vector<uint8_t> rgba; // width x height x 4 bytes, top row first
};
