// KGraphic's life cycle, image loading and texture upload.
#include "framework/display/KDisplayWindow.h"
#include "framework/display/KGraphic.h"
#include "framework/display/KSystemTools.h"
#include "framework/display/gl_api.h"
#include "framework/display/image_file_reader.h"
#include "framework/display/texture_layout.h"

#include <new>

namespace {

bool linearFiltering = false;

GLint InternalFormat(bool withAlpha, bool trueColour) {
    if (withAlpha) return trueColour ? GL_RGBA8 : GL_RGBA;
    return trueColour ? GL_RGB8 : GL_RGB;
}

} // namespace

KGraphic::KGraphic() {
    if (screenWidth == 0) {
        KSystemTools::ShowMessage("KGraphic::SetScreenSize Not Called!",
                                  "Screen Dimensions not specified, you will not see anything");
    }
    SetBlendMode(true);
    textureTarget = GL_TEXTURE_2D;
}

KGraphic::~KGraphic() {
    FreeImage();
}

void KGraphic::FreeImage() {
    keptPixels.clear();
    keptPixels.shrink_to_fit();
    if (imageWidth > 0) {
        glDeleteTextures(1, &textureId);
        textureId = 0;
        imageWidth = 0;
        imageHeight = 0;
    }
}

void KGraphic::SetTextureFilter(bool linear) {
    linearFiltering = linear;
    GLint filter = linear ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    if (KDisplayWindow::HasTextureRectangle()) {
        glTexParameteri(GL_TEXTURE_RECTANGLE, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_RECTANGLE, GL_TEXTURE_MAG_FILTER, filter);
    }
}

bool KGraphic::LoadImage(const char* path, bool withAlpha, bool keepPixels, bool trueColour) {
    DecodedImage image;
    if (!ReadImageFile(path, image)) return false;
    return UploadImage(image, withAlpha, keepPixels, trueColour, path ? path : "");
}

bool KGraphic::UploadImage(const DecodedImage& image, bool withAlpha, bool keepPixels,
                           bool trueColour, const char* path) {
    glLoadIdentity();
    glFlush();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    TextureLayout layout =
        ImageTextureLayout(image.width, image.height, KDisplayWindow::HasTextureRectangle());
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    std::vector<uint8_t> texels;
    if (layout.width <= maxSide && layout.height <= maxSide) {
        try {
            texels = PadIntoTexture(image, layout);
        } catch (const std::bad_alloc&) {
        }
    }
    if (texels.empty()) {
        KSystemTools::ShowMessage(path, "file not found or out of memory");
        return false;
    }

    // Loading over an image replaces it instead of leaking its texture.
    FreeImage();
    imageWidth = static_cast<float>(image.width);
    imageHeight = static_cast<float>(image.height);
    originX = static_cast<float>(image.originX);
    originY = static_cast<float>(image.originY);
    textureTarget = layout.target;
    textureWidth = static_cast<float>(layout.width);
    textureHeight = static_cast<float>(layout.height);

    glLoadIdentity();
    glGenTextures(1, &textureId);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_RECTANGLE);
    glEnable(textureTarget);
    glBindTexture(textureTarget, textureId);
    glTexImage2D(textureTarget, 0, InternalFormat(withAlpha, trueColour), layout.width,
                 layout.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    SetTextureFilter(linearFiltering);
    // Rectangle textures cannot repeat; clamping is their only wrap mode.
    GLint wrap = textureTarget == GL_TEXTURE_2D ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    glTexParameteri(textureTarget, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(textureTarget, GL_TEXTURE_WRAP_T, wrap);
    if (keepPixels) keptPixels = std::move(texels);
    return true;
}
