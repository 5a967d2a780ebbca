// Generated art for the display benchmarks: written as TGA files into a
// temporary folder so they load through the framework's own reader.
#pragma once
#include <string>

struct BenchImages {
    std::string background; // 640 x 480, opaque
    std::string balls;      // 8 balls of 34 x 34 on a 512 x 64 sheet, round alpha
    std::string buttons;    // 128 x 32 button
    std::string glyphs;     // 16 glyphs of 12 x 16 on a 256 x 16 strip
    std::string pointer;    // 32 x 32 arrow
};

// Draws and writes the images; the folder is removed by RemoveBenchImages.
BenchImages WriteBenchImages();
void RemoveBenchImages();
