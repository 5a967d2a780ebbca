#include "text_render.h"

#include "font_lookup.h"

#include <fontconfig/fontconfig.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace art {

namespace {

FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) {
            std::fprintf(stderr, "FreeType could not start\n");
            std::exit(1);
        }
        return l;
    }();
    return lib;
}

} // namespace

struct Font::Impl {
    FT_Face face = nullptr;
};

Font::Font(const std::string& path) : impl_(std::make_unique<Impl>()) {
    if (FT_New_Face(library(), path.c_str(), 0, &impl_->face) != 0) {
        std::fprintf(stderr, "cannot open font %s\n", path.c_str());
        std::exit(1);
    }
}

Font::~Font() {
    FT_Done_Face(impl_->face);
}

float Font::capHeight(float size) const {
    // DejaVu's capitals stand 1493 units tall on a 2048 em.
    return size * 1493.0f / static_cast<float>(impl_->face->units_per_EM);
}

TextMask Font::render(std::string_view text, const TextStyle& style) const {
    FT_Face face = impl_->face;
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(style.size * 64)), 72, 72);
    struct Piece {
        int x, y, w, h;
        std::vector<float> cov;
    };
    std::vector<Piece> pieces;
    float pen = 0;
    int minX = INT_MAX, minY = INT_MAX, maxX = INT_MIN, maxY = INT_MIN;
    FT_Matrix matrix{static_cast<FT_Fixed>(std::lround(style.squeeze * 65536)), 0, 0,
                     static_cast<FT_Fixed>(std::lround(style.stretch * 65536))};
    for (unsigned char ch : text) {
        float base = std::floor(pen);
        FT_Vector delta{static_cast<FT_Pos>(std::lround((pen - base) * 64)),
                        static_cast<FT_Pos>(std::lround(style.rise * 64))};
        FT_Set_Transform(face, &matrix, &delta);
        FT_Int32 flags =
            FT_LOAD_RENDER | (style.hinted ? FT_LOAD_TARGET_NORMAL : FT_LOAD_NO_HINTING);
        if (FT_Load_Char(face, ch, flags) != 0) continue;
        FT_GlyphSlot g = face->glyph;
        Piece p{static_cast<int>(base) + g->bitmap_left,
                -g->bitmap_top,
                static_cast<int>(g->bitmap.width),
                static_cast<int>(g->bitmap.rows),
                {}};
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x)
                p.cov.push_back(g->bitmap.buffer[y * g->bitmap.pitch + x] / 255.0f);
        if (p.w > 0 && p.h > 0) {
            minX = std::min(minX, p.x);
            minY = std::min(minY, p.y);
            maxX = std::max(maxX, p.x + p.w);
            maxY = std::max(maxY, p.y + p.h);
            pieces.push_back(std::move(p));
        }
        pen += g->advance.x / 64.0f + style.tracking;
    }
    FT_Set_Transform(face, nullptr, nullptr);
    TextMask out;
    out.advance = pen;
    if (pieces.empty()) return out;
    out.mask = Mask(maxX - minX, maxY - minY);
    out.penX = -minX;
    out.baseline = -minY;
    out.inkLeft = minX;
    out.inkRight = maxX;
    for (const Piece& p : pieces)
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                float& dst = out.mask.ref(p.x - minX + x, p.y - minY + y);
                dst = std::min(1.0f, dst + p.cov[static_cast<std::size_t>(y) * p.w + x]);
            }
    return out;
}

const Font& sansBold() {
    static const Font f(findFontFile("DejaVu Sans", FC_WEIGHT_BOLD));
    return f;
}

const Font& sans() {
    static const Font f(findFontFile("DejaVu Sans", FC_WEIGHT_REGULAR));
    return f;
}

void drawText(Canvas& c, const TextMask& t, int x, int y, const Shader& shade) {
    paintMask(c, t.mask, x - t.penX, y - t.baseline, shade);
}

int centredPen(const TextMask& t, int x0, int x1) {
    int ink = t.inkRight - t.inkLeft;
    return x0 + (x1 - x0 - ink) / 2 - t.inkLeft;
}

void drawTextGlow(Canvas& c, const TextMask& t, int x, int y, float radius, Color tint) {
    int pad = static_cast<int>(std::ceil(radius * 2)) + 1;
    Mask m = padded(t.mask, pad);
    blur(m, radius);
    paintMask(c, m, x - t.penX - pad, y - t.baseline - pad, solid(tint));
}

} // namespace art
