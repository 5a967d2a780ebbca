// Letterbox arithmetic and the game-sized picture target used whenever the
// window is not the game's size (resized, maximised, or full screen on a
// display without a game-sized mode). Drawing goes into a 640 x 480
// framebuffer object, so every operation stays pixel-exact, and the swap
// scales that picture into the window: nearest texels at a whole multiple,
// so pixels stay crisp, linear filtering otherwise.
#include "framework/platform/platform_window_state.h"
#include "framework/platform/platform_x11_window.h"

#include <SDL_opengl.h>

#include <algorithm>

namespace platform {

Letterbox ComputeLetterbox(int outputWidth, int outputHeight, int gameWidth, int gameHeight) {
    Letterbox box;
    box.gameWidth = gameWidth;
    box.gameHeight = gameHeight;
    if (gameWidth <= 0 || gameHeight <= 0 || outputWidth <= 0 || outputHeight <= 0) return box;
    // Fit by the tighter axis, in integers so the bars are whole pixels.
    if (static_cast<int64_t>(outputWidth) * gameHeight <=
        static_cast<int64_t>(outputHeight) * gameWidth) {
        box.width = outputWidth;
        box.height = static_cast<int>(static_cast<int64_t>(outputWidth) * gameHeight / gameWidth);
    } else {
        box.height = outputHeight;
        box.width = static_cast<int>(static_cast<int64_t>(outputHeight) * gameWidth / gameHeight);
    }
    box.x = (outputWidth - box.width) / 2;
    box.y = (outputHeight - box.height) / 2;
    return box;
}

void WindowToGame(const Letterbox& box, int windowX, int windowY, int* gameX, int* gameY) {
    if (box.width <= 0 || box.height <= 0) {
        *gameX = windowX;
        *gameY = windowY;
        return;
    }
    auto floorDiv = [](int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    *gameX = static_cast<int>(
        floorDiv(static_cast<int64_t>(windowX - box.x) * box.gameWidth, box.width));
    *gameY = static_cast<int>(
        floorDiv(static_cast<int64_t>(windowY - box.y) * box.gameHeight, box.height));
}

Letterbox CurrentLetterbox() {
    const detail::WindowState& w = detail::Window();
    // The picture on screen was fitted to the drawable at the last flip; that
    // spares the pointer readings a round trip to the X server each.
    int outW = w.picture.outputWidth, outH = w.picture.outputHeight;
    if (outW <= 0 || outH <= 0) {
        outW = w.gameWidth;
        outH = w.gameHeight;
        if (w.window && w.context) detail::RealDrawableSize(&outW, &outH);
    }
    return ComputeLetterbox(outW, outH, w.gameWidth, w.gameHeight);
}

namespace detail {
namespace {

#ifdef __EMSCRIPTEN__
// A page's canvas is emptied each time the browser shows it, and the browser
// may show it whenever the game yields: frames are drawn into the picture,
// and only finished ones are copied to the canvas.
constexpr bool kPictureAlways = true;
#else
constexpr bool kPictureAlways = false;
#endif

// Framebuffer objects are not OpenGL 1.x: their entry points are looked up.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
} FB;

template <typename T> bool Find(T& slot, const char* name) {
    slot = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
    return slot != nullptr;
}

bool LoadFramebufferCalls() {
    return Find(FB.genFramebuffers, "glGenFramebuffers") &&
           Find(FB.deleteFramebuffers, "glDeleteFramebuffers") &&
           Find(FB.bindFramebuffer, "glBindFramebuffer") &&
           Find(FB.genRenderbuffers, "glGenRenderbuffers") &&
           Find(FB.deleteRenderbuffers, "glDeleteRenderbuffers") &&
           Find(FB.bindRenderbuffer, "glBindRenderbuffer") &&
           Find(FB.renderbufferStorage, "glRenderbufferStorage") &&
           Find(FB.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           Find(FB.checkFramebufferStatus, "glCheckFramebufferStatus") &&
           Find(FB.blitFramebuffer, "glBlitFramebuffer");
}

bool StartScaledPicture() {
    WindowState& w = Window();
    PictureTarget& t = w.picture;
    if (t.framebuffer) return true;
    if (!LoadFramebufferCalls()) return false;
    FB.genFramebuffers(1, &t.framebuffer);
    FB.genRenderbuffers(1, &t.renderbuffer);
    FB.bindRenderbuffer(GL_RENDERBUFFER, t.renderbuffer);
    // RGB without alpha, like the window's own buffer.
    FB.renderbufferStorage(GL_RENDERBUFFER, GL_RGB8, w.gameWidth, w.gameHeight);
    FB.bindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
    FB.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                               t.renderbuffer);
    if (FB.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        StopPicture();
        return false;
    }
    return true;
}

void DrawIntoPicture() {
    const PictureTarget& t = Window().picture;
    if (t.scaled) {
        FB.bindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
        glDrawBuffer(GL_COLOR_ATTACHMENT0);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
    } else {
        if (FB.bindFramebuffer) FB.bindFramebuffer(GL_FRAMEBUFFER, 0);
        glDrawBuffer(GL_BACK);
        glReadBuffer(GL_BACK);
    }
}

} // namespace

bool FitPictureToWindow() {
    WindowState& w = Window();
    PictureTarget& t = w.picture;
    int outW = 0, outH = 0;
    RealDrawableSize(&outW, &outH);
    if (outW == t.outputWidth && outH == t.outputHeight) return false;
    t.outputWidth = outW;
    t.outputHeight = outH;
    // Without framebuffer objects the picture stays in the window's corner.
    t.scaled =
        (kPictureAlways || outW != w.gameWidth || outH != w.gameHeight) && StartScaledPicture();
    DrawIntoPicture();
    glViewport(0, 0, w.gameWidth, w.gameHeight);
    return true;
}

void StopPicture() {
    PictureTarget& t = Window().picture;
    if (t.framebuffer || t.renderbuffer) {
        FB.bindFramebuffer(GL_FRAMEBUFFER, 0);
        FB.deleteFramebuffers(1, &t.framebuffer);
        FB.deleteRenderbuffers(1, &t.renderbuffer);
    }
    t = PictureTarget{};
}

void ShowPicture() {
    WindowState& w = Window();
    const PictureTarget& t = w.picture;
    if (!t.scaled) {
        SDL_GL_SwapWindow(w.window);
        return;
    }
    const Letterbox box =
        ComputeLetterbox(t.outputWidth, t.outputHeight, w.gameWidth, w.gameHeight);
    // The bars are black; each clear of the game sets its own colour.
    FB.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // GL rows count from the bottom: flip the box's top into GL terms.
    const int bottom = t.outputHeight - box.y - box.height;
    const bool whole = box.width % w.gameWidth == 0 && box.height % w.gameHeight == 0 &&
                       box.width / w.gameWidth == box.height / w.gameHeight;
    FB.bindFramebuffer(GL_READ_FRAMEBUFFER, t.framebuffer);
    FB.blitFramebuffer(0, 0, w.gameWidth, w.gameHeight, box.x, bottom, box.x + box.width,
                       bottom + box.height, GL_COLOR_BUFFER_BIT, whole ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(w.window);
    DrawIntoPicture();
}

} // namespace detail
} // namespace platform
