#include "ball_painter.h"

#include "palette.h"
#include "shapes.h"

#include <cmath>

namespace art {

namespace {

// Centre of a ball inside its tile: the board draws tiles 2 pixels left of
// and 1 pixel above their 34-pixel cells.
constexpr float kTileCx = 19.0f, kTileCy = 18.0f, kTileRadius = 16.4f;

// Each colour's mark, so that colours can be told apart without colour:
// red ring, orange dot, yellow star, green diamond, cyan triangle, blue
// cross, violet square, and a gold sparkle on the black ball.
Coverage markShape(int code, float cx, float cy, float r) {
    float s = r * 0.34f; // mark size
    switch (code) {
    case 1:
        return ring(cx, cy, s * 0.95f, s * 0.45f);
    case 2:
        return disc(cx, cy, s * 0.62f);
    case 3:
        return polygon(starPoints(cx, cy, s * 1.15f, s * 0.48f, 5));
    case 4:
        return polygon(
            {{cx, cy - s * 1.05f}, {cx + s * 0.8f, cy}, {cx, cy + s * 1.05f}, {cx - s * 0.8f, cy}});
    case 5:
        return polygon(
            {{cx, cy - s}, {cx + s * 0.95f, cy + s * 0.7f}, {cx - s * 0.95f, cy + s * 0.7f}});
    case 6: {
        Coverage a = capsule(cx - s * 0.85f, cy, cx + s * 0.85f, cy, s * 0.26f);
        Coverage b = capsule(cx, cy - s * 0.85f, cx, cy + s * 0.85f, s * 0.26f);
        return [a, b](float x, float y) { return std::max(a(x, y), b(x, y)); };
    }
    case 7:
        return roundRect(cx - s * 0.7f, cy - s * 0.7f, cx + s * 0.7f, cy + s * 0.7f, s * 0.22f);
    default:
        return polygon(starPoints(cx, cy, s * 1.1f, s * 0.3f, 4));
    }
}

} // namespace

void paintBall(Canvas& c, int code, float cx, float cy, float r, bool withMark) {
    const Color base = palette::kBall[code];
    const bool black = code == 8;
    // Light from the top left, a little in front.
    const float lx = -0.45f, ly = -0.62f, lz = 0.64f;
    Box area{static_cast<int>(cx - r) - 2, static_cast<int>(cy - r) - 2,
             static_cast<int>(2 * r) + 5, static_cast<int>(2 * r) + 5};
    // Soft contact shadow below the ball.
    shadow(c, area, disc(cx + 0.5f, cy + 1.6f, r * 0.96f), 0, 0, r * 0.12f,
           withAlpha(palette::kNightDeep, 0.55f));
    Coverage body = disc(cx, cy, r);
    paint(c, area, body, [=](float x, float y) {
        float nx = (x - cx) / r, ny = (y - cy) / r;
        float d2 = std::min(1.0f, nx * nx + ny * ny);
        float nz = std::sqrt(1 - d2);
        float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
        // Light passing through the glass gathers at the far side.
        float glow = smoothstep(0.15f, 0.95f, nx * 0.45f + ny * 0.75f) * (1 - d2 * 0.6f);
        float rim = std::pow(1 - nz, 2.2f);
        Color col = scaled(base, (black ? 0.55f : 0.32f) + 0.78f * diffuse);
        Color lit = mix(base, palette::kWhite, black ? 0.25f : 0.35f);
        col = mix(col, lit, glow * (black ? 0.25f : 0.55f));
        col = mix(col, scaled(base, 0.25f), rim * 0.75f);
        // Sharp specular highlight.
        float hx = lx, hy = ly, hz = lz + 1, hl = std::sqrt(hx * hx + hy * hy + hz * hz);
        float specular = std::pow(std::max(0.0f, (nx * hx + ny * hy + nz * hz) / hl), 70.0f);
        col = mix(col, palette::kWhite, clamp01(specular * 1.1f));
        col.a = 1;
        return col;
    });
    if (withMark) {
        // The mark sits a little low, out of the highlight, pressed into the glass.
        float mx = cx + r * 0.08f, my = cy + r * 0.12f;
        Coverage mark = markShape(code, mx, my, r);
        if (black) {
            paint(c, area, mark, solid(withAlpha(palette::kGold, 0.85f)));
        } else {
            paint(c, area, markShape(code, mx + 0.6f, my + 0.7f, r),
                  solid(withAlpha(mix(base, palette::kWhite, 0.6f), 0.30f)));
            paint(c, area, mark, solid(withAlpha(scaled(base, 0.45f), 0.42f)));
        }
    }
    // Window reflection: a soft bright crescent at the top left.
    paint(c, area, disc(cx - r * 0.28f, cy - r * 0.42f, r * 0.5f), [=](float, float y) {
        float t = clamp01((y - (cy - r * 0.92f)) / (r * 0.85f));
        return withAlpha(palette::kWhite, 0.62f * (1 - t) * (1 - t));
    });
    if (black) {
        paint(c, area, ring(cx, cy, r - 0.9f, 1.3f), [=](float x, float y) {
            float t = clamp01(((x - cx) * -0.6f + (y - cy) * -0.8f) / r * 0.5f + 0.5f);
            return mix(palette::kGoldDeep, palette::kGoldLight, t);
        });
        paint(c, area, polygon(starPoints(cx - r * 0.42f, cy - r * 0.45f, r * 0.36f, r * 0.07f, 4)),
              solid(withAlpha(palette::kWhite, 0.95f)));
    }
}

namespace {

// Neighbouring cells overlap the tile's edge: keep it clear.
void clearBorder(Canvas& t) {
    for (int i = 0; i < t.width(); ++i) {
        t.set(i, 0, {0, 0, 0, 0});
        t.set(i, t.height() - 1, {0, 0, 0, 0});
        t.set(0, i, {0, 0, 0, 0});
        t.set(t.width() - 1, i, {0, 0, 0, 0});
    }
}

} // namespace

Canvas ballTile(int code) {
    Canvas t(40, 40);
    paintBall(t, code, kTileCx, kTileCy, kTileRadius);
    clearBorder(t);
    return t;
}

Canvas vanishTile(int frame) {
    Canvas t(40, 40);
    const float cx = kTileCx, cy = kTileCy;
    Box all{1, 1, 38, 38};
    const Color warm = rgb(0xfff4c8);
    if (frame == 0) {
        paint(t, all, disc(cx, cy, 18),
              radial(cx, cy, 18, 18, withAlpha(warm, 0.9f), withAlpha(warm, 0)));
        paint(t, all, disc(cx, cy, 12),
              radial(cx, cy, 12, 12, withAlpha(palette::kWhite, 1), withAlpha(warm, 0.5f)));
        paint(t, all, polygon(starPoints(cx, cy, 18, 2.2f, 4)),
              solid(withAlpha(palette::kWhite, 0.9f)));
    } else if (frame == 1) {
        // A warm core shrinking away, sparks flying out.
        paint(t, all, disc(cx, cy, 10),
              radial(cx, cy, 10, 10, withAlpha(warm, 0.95f), withAlpha(palette::kGold, 0)));
        paint(t, all, polygon(starPoints(cx, cy, 9, 1.6f, 4, 0.4f)),
              solid(withAlpha(palette::kWhite, 0.9f)));
        for (int i = 0; i < 8; ++i) {
            float a = static_cast<float>(M_PI) * i / 4 + 0.3f;
            float d = (i % 2) ? 11.5f : 14.0f, s = (i % 2) ? 3.0f : 4.0f;
            paint(t, all,
                  polygon(starPoints(cx + d * std::cos(a), cy + d * std::sin(a), s, s * 0.25f, 4)),
                  solid(withAlpha(i % 2 ? palette::kGoldLight : palette::kWhite, 0.95f)));
        }
    } else {
        paint(t, all, ring(cx, cy, 15.5f, 1.6f), solid(withAlpha(warm, 0.38f)));
        for (int i = 0; i < 6; ++i) {
            float a = static_cast<float>(M_PI) * i / 3 + 0.8f;
            paint(t, all, disc(cx + 17 * std::cos(a), cy + 17 * std::sin(a), 1.2f),
                  solid(withAlpha(palette::kGoldLight, 0.6f)));
        }
    }
    clearBorder(t);
    return t;
}

} // namespace art
