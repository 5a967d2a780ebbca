// The generated images, loaded once per test run from the build's gfx/.
#pragma once

#include "image_files.h"
#include "layout.h"

#include <string>

namespace arttest {

using art::Image;
using art::layout::Rect;

// Decoded image of gfx/<name> (TGA or JPEG by extension); fails the test if missing.
const Image& gfx(const std::string& name);

// Largest of the three colour channels.
int brightness(const std::uint8_t* px);
// Largest channel over the rectangle.
int maxBrightness(const Image& img, Rect r);
// Mean colour of the pixels of r whose alpha is at least minAlpha.
struct Rgb {
    double r, g, b;
};
Rgb meanColour(const Image& img, Rect r, int minAlpha);
double distance(Rgb a, Rgb b);

} // namespace arttest
