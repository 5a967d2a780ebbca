#include "compositor.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace preview {

Screen::Screen() : img_{640, 480, std::vector<std::uint8_t>(640 * 480 * 4, 255)} {}

void Screen::clear(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    for (std::size_t i = 0; i < img_.rgba.size(); i += 4) {
        img_.rgba[i] = r;
        img_.rgba[i + 1] = g;
        img_.rgba[i + 2] = b;
    }
}

void Screen::put(int x, int y, const std::uint8_t* src, float a) {
    if (x < 0 || y < 0 || x >= 640 || y >= 480 || a <= 0) return;
    std::uint8_t* d = &img_.rgba[(static_cast<std::size_t>(y) * 640 + x) * 4];
    for (int k = 0; k < 3; ++k)
        d[k] = static_cast<std::uint8_t>(std::lround(src[k] * a + d[k] * (1 - a)));
}

void Screen::blit(const Image& sheet, Rect src, Point at) {
    for (int y = 0; y < src.h(); ++y)
        for (int x = 0; x < src.w(); ++x)
            put(at.x + x, at.y + y, sheet.px(src.x1 + x, src.y1 + y), 1);
}

void Screen::blitAlpha(const Image& sheet, Rect src, Point at, float opacity) {
    for (int y = 0; y < src.h(); ++y)
        for (int x = 0; x < src.w(); ++x) {
            const std::uint8_t* p = sheet.px(src.x1 + x, src.y1 + y);
            put(at.x + x, at.y + y, p, p[3] / 255.0f * opacity);
        }
}

void Screen::blitScaled(const Image& sheet, Rect src, Point at, float scale, float opacity) {
    if (scale <= 0 || opacity <= 0) return;
    float cx = at.x + src.w() / 2.0f, cy = at.y + src.h() / 2.0f;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            float u = (x + 0.5f - cx) / scale + src.w() / 2.0f,
                  v = (y + 0.5f - cy) / scale + src.h() / 2.0f;
            if (u < 0 || v < 0 || u >= src.w() || v >= src.h()) continue;
            const std::uint8_t* p =
                sheet.px(src.x1 + static_cast<int>(u), src.y1 + static_cast<int>(v));
            put(x, y, p, p[3] / 255.0f * opacity);
        }
}

void Screen::fill(Rect r, std::uint8_t red, std::uint8_t g, std::uint8_t b) {
    const std::uint8_t c[4] = {red, g, b, 255};
    for (int y = r.y1; y < r.y2; ++y)
        for (int x = r.x1; x < r.x2; ++x)
            put(x, y, c, 1);
}

namespace {

const GlyphRec* find(const BitmapFont& f, char ch) {
    for (const GlyphRec* g = f.glyphs; g->ch; ++g)
        if (g->ch == static_cast<unsigned char>(ch)) return g;
    return nullptr;
}

} // namespace

int Screen::measure(const BitmapFont& f, const std::string& text) const {
    int w = 0;
    for (char ch : text)
        if (const GlyphRec* g = find(f, ch)) w += g->advance;
    return w;
}

void Screen::text(const BitmapFont& f, const std::string& text, int x, int y) {
    for (char ch : text)
        if (const GlyphRec* g = find(f, ch)) {
            blitAlpha(*f.sheet, {g->x1, g->y1, g->x2, g->y2}, {x, y});
            x += g->advance;
        }
}

void Screen::centred(const BitmapFont& f, const std::string& s, int x1, int x2, int y) {
    int w = measure(f, s);
    if (w > 0) text(f, s, x1 + (x2 - w - x1) / 2, y);
}

bool Screen::savePng(const std::string& path) const {
    std::string ppm = path + ".ppm";
    std::FILE* out = std::fopen(ppm.c_str(), "wb");
    if (!out) return false;
    std::fprintf(out, "P6\n640 480\n255\n");
    for (std::size_t i = 0; i < img_.rgba.size(); i += 4)
        std::fwrite(&img_.rgba[i], 1, 3, out);
    std::fclose(out);
    std::string cmd = "/usr/bin/convert '" + ppm + "' '" + path + "' && rm -f '" + ppm + "'";
    return std::system(cmd.c_str()) == 0;
}

} // namespace preview
