// Letterbox arithmetic and the game-sized render target used when full
// screen could not switch the display to the game's size. Drawing goes into
// a 640 x 480 framebuffer object, so every operation stays pixel-exact, and
// the swap scales that picture onto the desktop-sized window.
#include "framework/platform/platform_window_state.h"

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
    if (w.letterbox.active) return w.letterbox.box;
    return ComputeLetterbox(w.gameWidth, w.gameHeight, w.gameWidth, w.gameHeight);
}

namespace detail {
namespace {

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

} // namespace

bool StartLetterbox(int drawableWidth, int drawableHeight) {
    WindowState& w = Window();
    if (!LoadFramebufferCalls()) return false;
    LetterboxTarget& t = w.letterbox;
    FB.genFramebuffers(1, &t.framebuffer);
    FB.genRenderbuffers(1, &t.renderbuffer);
    FB.bindRenderbuffer(GL_RENDERBUFFER, t.renderbuffer);
    // RGB without alpha, like the window's own buffer.
    FB.renderbufferStorage(GL_RENDERBUFFER, GL_RGB8, w.gameWidth, w.gameHeight);
    FB.bindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
    FB.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                               t.renderbuffer);
    if (FB.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        StopLetterbox();
        return false;
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    t.box = ComputeLetterbox(drawableWidth, drawableHeight, w.gameWidth, w.gameHeight);
    t.active = true;
    return true;
}

void StopLetterbox() {
    LetterboxTarget& t = Window().letterbox;
    if (t.framebuffer || t.renderbuffer) {
        FB.bindFramebuffer(GL_FRAMEBUFFER, 0);
        FB.deleteFramebuffers(1, &t.framebuffer);
        FB.deleteRenderbuffers(1, &t.renderbuffer);
    }
    t = LetterboxTarget{};
}

void SwapThroughLetterbox() {
    WindowState& w = Window();
    LetterboxTarget& t = w.letterbox;
    int outW = 0, outH = 0;
    SDL_GL_GetDrawableSize(w.window, &outW, &outH);
    t.box = ComputeLetterbox(outW, outH, w.gameWidth, w.gameHeight);

    // The bars are cleared black without disturbing the game's clear colour.
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    FB.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    // GL rows count from the bottom: flip the box's top into GL terms.
    int bottom = outH - t.box.y - t.box.height;
    FB.bindFramebuffer(GL_READ_FRAMEBUFFER, t.framebuffer);
    FB.blitFramebuffer(0, 0, w.gameWidth, w.gameHeight, t.box.x, bottom, t.box.x + t.box.width,
                       bottom + t.box.height, GL_COLOR_BUFFER_BIT, GL_LINEAR);
    SDL_GL_SwapWindow(w.window);
    // Drawing and reading go back to the game-sized target.
    FB.bindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
}

} // namespace detail
} // namespace platform
