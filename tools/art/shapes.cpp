#include "shapes.h"

#include <cmath>

namespace art {

Shader solid(Color c) {
    return [c](float, float) { return c; };
}

Shader linear(float x0, float y0, Color c0, float x1, float y1, Color c1) {
    float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    return [=](float x, float y) {
        return mix(c0, c1, clamp01(((x - x0) * dx + (y - y0) * dy) / len2));
    };
}

Shader radial(float cx, float cy, float rx, float ry, Color c0, Color c1) {
    return [=](float x, float y) {
        float u = (x - cx) / rx, v = (y - cy) / ry;
        return mix(c0, c1, clamp01(std::sqrt(u * u + v * v)));
    };
}

float discDistance(float cx, float cy, float r, float x, float y) {
    return std::hypot(x - cx, y - cy) - r;
}

float roundRectDistance(float x0, float y0, float x1, float y1, float radius, float x, float y) {
    float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    float qx = std::abs(x - (x0 + hx)) - hx + radius, qy = std::abs(y - (y0 + hy)) - hy + radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

Coverage disc(float cx, float cy, float r) {
    return [=](float x, float y) { return clamp01(0.5f - discDistance(cx, cy, r, x, y)); };
}

Coverage ring(float cx, float cy, float r, float width) {
    return [=](float x, float y) {
        float d = std::abs(discDistance(cx, cy, r, x, y)) - width / 2;
        return clamp01(0.5f - d);
    };
}

Coverage roundRect(float x0, float y0, float x1, float y1, float radius) {
    return [=](float x, float y) {
        return clamp01(0.5f - roundRectDistance(x0, y0, x1, y1, radius, x, y));
    };
}

Coverage roundRectFrame(float x0, float y0, float x1, float y1, float radius, float width) {
    return [=](float x, float y) {
        float d = roundRectDistance(x0, y0, x1, y1, radius, x, y);
        return clamp01(0.5f - d) * clamp01(0.5f + d + width);
    };
}

Coverage capsule(float x0, float y0, float x1, float y1, float r) {
    return [=](float x, float y) {
        float dx = x1 - x0, dy = y1 - y0;
        float t = clamp01(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy));
        return clamp01(0.5f + r - std::hypot(x - x0 - t * dx, y - y0 - t * dy));
    };
}

Coverage polygon(std::vector<Pt> pts) {
    return [pts = std::move(pts)](float x, float y) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
            for (int sx = 0; sx < 4; ++sx) {
                float px = x - 0.375f + sx * 0.25f, py = y - 0.375f + sy * 0.25f;
                bool in = false;
                for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                    const Pt &a = pts[i], &b = pts[j];
                    if ((a.y > py) != (b.y > py) &&
                        px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                        in = !in;
                }
                hits += in;
            }
        return hits / 16.0f;
    };
}

std::vector<Pt> starPoints(float cx, float cy, float outer, float inner, int n, float turn) {
    std::vector<Pt> pts;
    for (int i = 0; i < 2 * n; ++i) {
        float ang = turn + static_cast<float>(M_PI) * i / n;
        float r = (i % 2) ? inner : outer;
        pts.push_back({cx + r * std::sin(ang), cy - r * std::cos(ang)});
    }
    return pts;
}

Mask rasterize(Box area, const Coverage& cover) {
    Mask m(area.w, area.h);
    for (int y = 0; y < area.h; ++y)
        for (int x = 0; x < area.w; ++x)
            m.ref(x, y) = cover(area.x + x + 0.5f, area.y + y + 0.5f);
    return m;
}

void paint(Canvas& c, Box area, const Coverage& cover, const Shader& shade) {
    for (int y = area.y; y < area.y + area.h; ++y)
        for (int x = area.x; x < area.x + area.w; ++x) {
            float k = cover(x + 0.5f, y + 0.5f);
            if (k > 0) c.blend(x, y, shade(x + 0.5f, y + 0.5f), k);
        }
}

void paintMask(Canvas& c, const Mask& m, int dx, int dy, const Shader& shade) {
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float k = m.at(x, y);
            if (k > 0) c.blend(dx + x, dy + y, shade(dx + x + 0.5f, dy + y + 0.5f), k);
        }
}

void shadow(Canvas& c, Box area, const Coverage& cover, float dx, float dy, float radius,
            Color tint) {
    int pad = static_cast<int>(std::ceil(radius * 2)) + 1;
    Box grown = area.grown(pad);
    Mask m = rasterize(
        {grown.x - static_cast<int>(dx), grown.y - static_cast<int>(dy), grown.w, grown.h}, cover);
    blur(m, radius);
    paintMask(c, m, grown.x, grown.y, solid(tint));
}

} // namespace art
