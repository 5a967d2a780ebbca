#include "canvas.h"

#include <cmath>

namespace art {

Canvas::Canvas(int width, int height, Color fill)
    : w_(width), h_(height), px_(static_cast<std::size_t>(width) * height,
                                 Px{fill.r * fill.a, fill.g * fill.a, fill.b * fill.a, fill.a}) {}

void Canvas::set(int x, int y, Color c) {
    if (inside(x, y)) at(x, y) = {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
}

void Canvas::blend(int x, int y, Color c, float coverage) {
    if (!inside(x, y)) return;
    float a = clamp01(c.a * coverage);
    if (a <= 0) return;
    Px& p = at(x, y);
    float k = 1 - a;
    p = {c.r * a + p.r * k, c.g * a + p.g * k, c.b * a + p.b * k, a + p.a * k};
}

void Canvas::fade(int x, int y, float k) {
    if (!inside(x, y)) return;
    Px& p = at(x, y);
    p = {p.r * k, p.g * k, p.b * k, p.a * k};
}

void Canvas::draw(const Canvas& src, int dx, int dy, float opacity) {
    for (int y = 0; y < src.h_; ++y)
        for (int x = 0; x < src.w_; ++x) {
            if (!inside(dx + x, dy + y)) continue;
            const Px& s = src.at(x, y);
            float a = s.a * opacity;
            if (a <= 0) continue;
            Px& d = at(dx + x, dy + y);
            float k = 1 - a;
            d = {s.r * opacity + d.r * k, s.g * opacity + d.g * k, s.b * opacity + d.b * k,
                 a + d.a * k};
        }
}

void Canvas::copy(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (inside(dx + x, dy + y) && src.inside(sx + x, sy + y))
                at(dx + x, dy + y) = src.at(sx + x, sy + y);
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
    Canvas out(w, h);
    out.copy(*this, x, y, w, h, 0, 0);
    return out;
}

std::vector<std::uint8_t> Canvas::rgba8() const {
    auto byte = [](float v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0f)); };
    std::vector<std::uint8_t> out;
    out.reserve(px_.size() * 4);
    for (const Px& p : px_) {
        float inv = p.a > 0 ? 1 / p.a : 0;
        out.push_back(byte(p.r * inv));
        out.push_back(byte(p.g * inv));
        out.push_back(byte(p.b * inv));
        out.push_back(byte(p.a));
    }
    return out;
}

namespace {

void boxPass(Mask& m, int r, bool horizontal) {
    int len = horizontal ? m.w : m.h, lines = horizontal ? m.h : m.w;
    std::vector<float> line(static_cast<std::size_t>(len));
    for (int l = 0; l < lines; ++l) {
        auto idx = [&](int i) {
            return horizontal ? static_cast<std::size_t>(l) * m.w + i
                              : static_cast<std::size_t>(i) * m.w + l;
        };
        double sum = 0;
        for (int i = -r; i <= r; ++i)
            if (i >= 0 && i < len) sum += m.v[idx(i)];
        for (int i = 0; i < len; ++i) {
            line[i] = static_cast<float>(sum / (2 * r + 1));
            int out = i - r, in = i + r + 1;
            if (out >= 0) sum -= m.v[idx(out)];
            if (in < len) sum += m.v[idx(in)];
        }
        for (int i = 0; i < len; ++i)
            m.v[idx(i)] = line[i];
    }
}

} // namespace

void blur(Mask& m, float radius) {
    // Three box passes of this half-width approximate a Gaussian of sigma = radius / 2.
    int r = std::max(1, static_cast<int>(std::lround(radius * 0.58f)));
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(m, r, true);
        boxPass(m, r, false);
    }
}

Mask padded(const Mask& m, int pad) {
    Mask out(m.w + 2 * pad, m.h + 2 * pad);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            out.ref(x + pad, y + pad) = m.at(x, y);
    return out;
}

} // namespace art
