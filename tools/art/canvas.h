// A float RGBA picture (premultiplied alpha) and a one-channel coverage
// mask, with source-over compositing and a blur for shadows and glows.
#pragma once

#include "color.h"

#include <cstdint>
#include <vector>

namespace art {

struct Mask {
    int w = 0, h = 0;
    std::vector<float> v;

    Mask() = default;
    Mask(int width, int height)
        : w(width), h(height), v(static_cast<std::size_t>(width) * height) {}
    float at(int x, int y) const {
        return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : v[static_cast<std::size_t>(y) * w + x];
    }
    float& ref(int x, int y) { return v[static_cast<std::size_t>(y) * w + x]; }
};

class Canvas {
  public:
    Canvas() = default;
    Canvas(int width, int height, Color fill = {0, 0, 0, 0});

    int width() const { return w_; }
    int height() const { return h_; }

    void set(int x, int y, Color c);
    // Paints c over the pixel with the given coverage (0..1).
    void blend(int x, int y, Color c, float coverage = 1.0f);
    // Scales a pixel's alpha (and its premultiplied colour with it).
    void fade(int x, int y, float k);

    // Draws src over this canvas with its top-left corner at (dx, dy).
    void draw(const Canvas& src, int dx, int dy, float opacity = 1.0f);
    // Copies a rectangle of src (sx, sy, w, h) to (dx, dy), replacing pixels.
    void copy(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy);
    Canvas crop(int x, int y, int w, int h) const;

    // 8-bit straight RGBA, rows top-down.
    std::vector<std::uint8_t> rgba8() const;

  private:
    struct Px {
        float r, g, b, a; // premultiplied
    };
    int w_ = 0, h_ = 0;
    std::vector<Px> px_;
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    Px& at(int x, int y) { return px_[static_cast<std::size_t>(y) * w_ + x]; }
    const Px& at(int x, int y) const { return px_[static_cast<std::size_t>(y) * w_ + x]; }
};

// Gaussian-like blur (three box passes) of a mask, in place.
void blur(Mask& m, float radius);

// Mask grown by `pad` pixels on every side (room for blur), contents centred.
Mask padded(const Mask& m, int pad);

} // namespace art
