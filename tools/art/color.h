// Colours as straight (not premultiplied) RGBA floats in 0..1, and the
// few operations the painters need on them.
#pragma once

#include <algorithm>
#include <cstdint>

namespace art {

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

constexpr Color rgb(std::uint32_t hex, float alpha = 1.0f) {
    return {((hex >> 16) & 0xff) / 255.0f, ((hex >> 8) & 0xff) / 255.0f, (hex & 0xff) / 255.0f,
            alpha};
}

inline float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

inline Color mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

inline Color scaled(Color c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

inline Color withAlpha(Color c, float a) {
    return {c.r, c.g, c.b, a};
}

// Colour along a ramp of evenly spaced stops, t in 0..1.
template <std::size_t N> Color ramp(const Color (&stops)[N], float t) {
    float p = clamp01(t) * (N - 1);
    std::size_t i = std::min<std::size_t>(static_cast<std::size_t>(p), N - 2);
    return mix(stops[i], stops[i + 1], p - static_cast<float>(i));
}

} // namespace art
