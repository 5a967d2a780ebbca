// Screen grabs: the frame the player last saw, turned into this object's
// image, for the game's screen transitions. Only a grab reads the screen.
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/recorded_frame.h"
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
        int shownWidth = 0, shownHeight = 0;
        if (!platform::ReadShownFrame(screen, &shownWidth, &shownHeight) || shownWidth != width ||
            shownHeight != height)
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
    textureKind = layout.kind;
    textureWidth = static_cast<float>(layout.width);
    textureHeight = static_cast<float>(layout.height);
    platform::TextureRequest request;
    request.kind = layout.kind;
    request.width = layout.width;
    request.height = layout.height;
    request.format = platform::TexelFormat::Rgb;
    request.rgba = texels.data();
    textureId = platform::CreateTexture(request);
    recorded_frame::NoteTexture(request.kind, textureId);
    imageWidth = static_cast<float>(width);
    imageHeight = static_cast<float>(height);
    return true;
}
