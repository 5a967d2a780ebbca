// Screen grabs: the frame the player last saw, turned into this object's
// image, for the game's screen transitions.
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/gl_api.h"
#include "framework/display/presented_frame.h"
#include "framework/display/texture_layout.h"

#include <cstring>
#include <new>

bool KGraphic::GrabScreen() {
    const int width = screenWidth, height = screenHeight;
    if (width <= 0 || height <= 0) return false;
    const TextureLayout layout =
        ScreenTextureLayout(width, height, KDisplayWindow::HasTextureRectangle());
    std::vector<uint8_t> screen, texels;
    try {
        texels.assign(static_cast<size_t>(layout.width) * layout.height * 4, 0);
        // Before the first flip nothing was shown but the black window.
        if (!presented_frame::Read(width, height, screen))
            screen.assign(static_cast<size_t>(width) * height * 4, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Screen rows run from the bottom up; image rows from the top down.
    for (int row = 0; row < height; ++row) {
        std::memcpy(texels.data() + static_cast<size_t>(height - 1 - row) * layout.width * 4,
                    screen.data() + static_cast<size_t>(row) * width * 4,
                    static_cast<size_t>(width) * 4);
    }

    // A held image is replaced, not leaked.
    FreeImage();
    textureTarget = layout.target;
    textureWidth = static_cast<float>(layout.width);
    textureHeight = static_cast<float>(layout.height);
    glEnable(textureTarget);
    glLoadIdentity();
    glGenTextures(1, &textureId);
    glBindTexture(textureTarget, textureId);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(textureTarget, 0, GL_RGB, layout.width, layout.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, texels.data());
    glTexParameteri(textureTarget, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(textureTarget, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(textureTarget, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(textureTarget, GL_TEXTURE_WRAP_T, GL_CLAMP);
    imageWidth = static_cast<float>(width);
    imageHeight = static_cast<float>(height);
    return true;
}
