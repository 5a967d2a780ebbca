// KGraphic's drawing: one immediate-mode quad per draw, each with its own
// texture bind and matrix save, plus filled rectangles and blend modes.
#include "framework/display/KGraphic.h"
#include "framework/display/gl_api.h"

#include <cmath>

namespace {

// The drawn size is the source size cut to whole pixels, kept to 16 bits.
int WholePixels(float length) {
    return static_cast<int16_t>(static_cast<int>(length));
}

// GL y of a screen y, computed in 16 bits.
int GlY(int16_t screenY) {
    return static_cast<int16_t>(KGraphic::screenHeight - screenY);
}

} // namespace

void KGraphic::SetBlendMode(bool normal) {
    blendSource = GL_SRC_ALPHA;
    blendDest = normal ? GL_ONE_MINUS_SRC_ALPHA : GL_DST_ALPHA;
}

void KGraphic::DrawQuad(float sx1, float sy1, float sx2, float sy2, int x, int y, bool flipX,
                        bool flipY) const {
    if (imageWidth <= 0) return; // an empty object has no texture to show
    glEnable(textureTarget);
    glDisable(textureTarget == GL_TEXTURE_2D ? GL_TEXTURE_RECTANGLE : GL_TEXTURE_2D);
    glBindTexture(textureTarget, textureId);

    const int w = WholePixels(sx2 - sx1);
    const int h = WholePixels(sy2 - sy1);
    // Ordinary textures address the image's corner of the padded texture.
    float u1 = sx1, u2 = sx2, v1 = sy1, v2 = sy2;
    if (textureTarget == GL_TEXTURE_2D) {
        u1 /= textureWidth;
        u2 /= textureWidth;
        v1 /= textureHeight;
        v2 /= textureHeight;
    }
    // Mirroring swaps the texture edges, not the vertices.
    const float left = flipX ? u2 : u1, right = flipX ? u1 : u2;
    const float top = flipY ? v2 : v1, bottom = flipY ? v1 : v2;

    glBegin(GL_QUADS);
    glTexCoord2f(left, top);
    glVertex3i(x, y, 0);
    glTexCoord2f(left, bottom);
    glVertex3i(x, y - h, 0);
    glTexCoord2f(right, bottom);
    glVertex3i(x + w, y - h, 0);
    glTexCoord2f(right, top);
    glVertex3i(x + w, y, 0);
    glEnd();
}

void KGraphic::Blit(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy, bool flipX,
                    bool flipY) {
    glDisable(GL_BLEND);
    glPushMatrix();
    DrawQuad(sx1, sy1, sx2, sy2, dx, GlY(dy), flipX, flipY);
    glPopMatrix();
}

void KGraphic::BlitAlpha(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                         bool flipX, bool flipY) {
    glEnable(GL_BLEND);
    glBlendFunc(blendSource, blendDest);
    glPushMatrix();
    DrawQuad(sx1, sy1, sx2, sy2, dx, GlY(dy), flipX, flipY);
    glPopMatrix();
}

void KGraphic::BlitTransformed(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                               float angle, float scale, float alpha, bool flipX, bool flipY) {
    if (scale == 0 || alpha <= 0) return;
    const float hw = (sx2 - sx1) / 2;
    const float hh = (sy2 - sy1) / 2;
    const bool plain = angle == 0 && scale == 1;

    glPushMatrix();
    if (!plain) {
        // Turn and scale about the centre of the destination rectangle.
        glTranslatef(dx + hw, GlY(dy) - hh, 0);
        if (angle != 0) glRotatef(angle, 0, 0, 1);
        if (scale != 1) glScalef(scale, scale, 0);
    }
    glColor4f(1, 1, 1, alpha);
    glEnable(GL_BLEND);
    glBlendFunc(blendSource, blendDest);
    glPushMatrix();
    if (plain)
        DrawQuad(sx1, sy1, sx2, sy2, dx, GlY(dy), flipX, flipY);
    else
        DrawQuad(sx1, sy1, sx2, sy2, static_cast<int>(-hw), static_cast<int>(hh), flipX, flipY);
    glPopMatrix();
    glColor4f(1, 1, 1, 1);
    glPopMatrix();
}

void KGraphic::FillRect(float x1, float y1, float x2, float y2, float red, float green, float blue,
                        float alpha) {
    const float glY1 = screenHeight - y1;
    const float glY2 = screenHeight - y2;
    glEnable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_RECTANGLE);
    // The window has no alpha channel, so destination alpha reads as 1: a
    // translucent fill adds its colour weighted by alpha.
    glBlendFunc(GL_SRC_ALPHA, GL_DST_ALPHA);
    if (alpha == 1) {
        glDisable(GL_BLEND);
        glColor3f(red, green, blue);
    } else {
        glColor4f(red, green, blue, alpha);
    }
    glBegin(GL_QUADS);
    glVertex2i(static_cast<int>(x1), static_cast<int>(glY1));
    glVertex2i(static_cast<int>(x2), static_cast<int>(glY1));
    glVertex2i(static_cast<int>(x2), static_cast<int>(glY2));
    glVertex2i(static_cast<int>(x1), static_cast<int>(glY2));
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}
