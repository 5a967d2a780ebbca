// KGraphic's drawing: each draw becomes one record of the frame's list,
// with the corners, texture coordinates, colour and blend GL will use.
#include "framework/display/KGraphic.h"
#include "framework/display/recorded_frame.h"
#include "framework/display/texture_layout.h"

namespace {

using platform::Blend;
using platform::DrawRecord;

// The drawn size is the source size cut to whole pixels, kept to 16 bits.
int WholePixels(float length) {
    return static_cast<int16_t>(static_cast<int>(length));
}

// GL y of a screen y, computed in 16 bits.
int GlY(int16_t screenY) {
    return static_cast<int16_t>(KGraphic::screenHeight - screenY);
}

// One textured quad with its top-left corner at GL position (x, y).
DrawRecord Quad(const KGraphic& image, float sx1, float sy1, float sx2, float sy2, int x, int y,
                bool flipX, bool flipY) {
    DrawRecord r;
    r.kind = DrawRecord::Kind::Quad;
    r.texture = image.GetTextureId();
    r.textureKind = image.GetTextureKind();
    const bool rectangle = r.textureKind == platform::TextureKind::Rectangle;
    const int w = WholePixels(sx2 - sx1);
    const int h = WholePixels(sy2 - sy1);
    // Ordinary textures address the image's corner of the padded texture.
    float u1 = sx1, u2 = sx2, v1 = sy1, v2 = sy2;
    if (!rectangle) {
        u1 /= image.GetTextureWidth();
        u2 /= image.GetTextureWidth();
        v1 /= image.GetTextureHeight();
        v2 /= image.GetTextureHeight();
    }
    // Mirroring swaps the texture edges, not the corners.
    const float left = flipX ? u2 : u1, right = flipX ? u1 : u2;
    const float top = flipY ? v2 : v1, bottom = flipY ? v1 : v2;
    const float corners[4][4] = {
        {static_cast<float>(x), static_cast<float>(y), left, top},
        {static_cast<float>(x), static_cast<float>(y - h), left, bottom},
        {static_cast<float>(x + w), static_cast<float>(y - h), right, bottom},
        {static_cast<float>(x + w), static_cast<float>(y), right, top}};
    for (int k = 0; k < 4; ++k) {
        r.x[k] = corners[k][0];
        r.y[k] = corners[k][1];
        r.u[k] = corners[k][2];
        r.v[k] = corners[k][3];
    }
    return r;
}

} // namespace

void KGraphic::SetBlendMode(bool normal) {
    normalBlend = normal;
}

void KGraphic::Blit(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy, bool flipX,
                    bool flipY) {
    if (imageWidth <= 0) return; // an empty object has no texture to show
    DrawRecord r = Quad(*this, sx1, sy1, sx2, sy2, dx, GlY(dy), flipX, flipY);
    r.blend = Blend::Opaque;
    recorded_frame::Append(r);
}

void KGraphic::BlitAlpha(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                         bool flipX, bool flipY) {
    if (imageWidth <= 0) return;
    DrawRecord r = Quad(*this, sx1, sy1, sx2, sy2, dx, GlY(dy), flipX, flipY);
    r.blend = normalBlend ? Blend::AlphaOver : Blend::AlphaAdd;
    recorded_frame::Append(r);
}

void KGraphic::BlitTransformed(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                               float angle, float scale, float alpha, bool flipX, bool flipY) {
    if (scale == 0 || alpha <= 0 || imageWidth <= 0) return;
    const float hw = (sx2 - sx1) / 2;
    const float hh = (sy2 - sy1) / 2;
    DrawRecord r;
    if (angle == 0 && scale == 1) {
        r = Quad(*this, sx1, sy1, sx2, sy2, dx, GlY(dy), flipX, flipY);
    } else {
        // Turned and scaled about the centre of the destination rectangle.
        r = Quad(*this, sx1, sy1, sx2, sy2, static_cast<int>(-hw), static_cast<int>(hh), flipX,
                 flipY);
        r.turned = true;
        r.turnX = dx + hw;
        r.turnY = GlY(dy) - hh;
        r.turnAngle = angle;
        r.turnScale = scale;
    }
    r.colour[3] = alpha;
    r.blend = normalBlend ? Blend::AlphaOver : Blend::AlphaAdd;
    recorded_frame::Append(r);
}

void KGraphic::FillRect(float x1, float y1, float x2, float y2, float red, float green, float blue,
                        float alpha) {
    const float glY1 = screenHeight - y1;
    const float glY2 = screenHeight - y2;
    DrawRecord r;
    r.kind = DrawRecord::Kind::Fill;
    // The window has no alpha channel, so destination alpha reads as 1: a
    // translucent fill adds its colour weighted by alpha.
    r.blend = alpha == 1 ? Blend::Opaque : Blend::AlphaAdd;
    const float colour[4] = {red, green, blue, alpha == 1 ? 1.0f : alpha};
    const int left = static_cast<int>(x1), right = static_cast<int>(x2);
    const int top = static_cast<int>(glY1), bottom = static_cast<int>(glY2);
    const int xs[4] = {left, right, right, left}, ys[4] = {top, top, bottom, bottom};
    for (int k = 0; k < 4; ++k) {
        r.colour[k] = colour[k];
        r.x[k] = static_cast<float>(xs[k]);
        r.y[k] = static_cast<float>(ys[k]);
    }
    recorded_frame::Append(r);
}
