#include "framework/display/presented_frame.h"

#include "framework/display/gl_api.h"
#include "framework/display/texture_layout.h"
#include "framework/platform/platform_window.h"

#include <cstring>

namespace presented_frame {
namespace {

struct Copy {
    GLuint texture = 0;
    TextureLayout layout;
    int width = 0, height = 0; // the frame inside the texture
    bool kept = false;
} FRAME;

GLenum BindingQuery(GLenum target) {
    return target == GL_TEXTURE_2D ? GL_TEXTURE_BINDING_2D : GL_TEXTURE_BINDING_RECTANGLE;
}

} // namespace

void Keep(int width, int height, bool hasTextureRectangle) {
    if (width <= 0 || height <= 0) return;
    TextureLayout layout = ScreenTextureLayout(width, height, hasTextureRectangle);
    GLint previous = 0;
    glGetIntegerv(BindingQuery(layout.target), &previous);
    if (!FRAME.texture || layout.target != FRAME.layout.target ||
        layout.width != FRAME.layout.width || layout.height != FRAME.layout.height) {
        Release();
        glGenTextures(1, &FRAME.texture);
        glBindTexture(layout.target, FRAME.texture);
        glTexImage2D(layout.target, 0, GL_RGB8, layout.width, layout.height, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, nullptr);
        FRAME.layout = layout;
    }
    glBindTexture(layout.target, FRAME.texture);
    glReadBuffer(platform::DrawnFrameReadBuffer());
    glCopyTexSubImage2D(layout.target, 0, 0, 0, 0, 0, width, height);
    glBindTexture(layout.target, static_cast<GLuint>(previous));
    FRAME.width = width;
    FRAME.height = height;
    FRAME.kept = true;
}

bool Read(int width, int height, std::vector<uint8_t>& rgbaBottomUp) {
    if (!FRAME.kept || width != FRAME.width || height != FRAME.height) return false;
    const TextureLayout& layout = FRAME.layout;
    std::vector<uint8_t> whole(static_cast<size_t>(layout.width) * layout.height * 4);
    GLint previous = 0;
    glGetIntegerv(BindingQuery(layout.target), &previous);
    glBindTexture(layout.target, FRAME.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(layout.target, 0, GL_RGBA, GL_UNSIGNED_BYTE, whole.data());
    glBindTexture(layout.target, static_cast<GLuint>(previous));
    // The frame is the texture's bottom-left corner, rows from the bottom.
    rgbaBottomUp.resize(static_cast<size_t>(width) * height * 4);
    for (int row = 0; row < height; ++row) {
        std::memcpy(rgbaBottomUp.data() + static_cast<size_t>(row) * width * 4,
                    whole.data() + static_cast<size_t>(row) * layout.width * 4,
                    static_cast<size_t>(width) * 4);
    }
    return true;
}

void Release() {
    if (FRAME.texture) glDeleteTextures(1, &FRAME.texture);
    FRAME = Copy{};
}

} // namespace presented_frame
