// The SDL window and its OpenGL compatibility context: double buffered,
// RGB without alpha, no depth or stencil buffer. A window opens at the
// largest whole multiple of the game's size that fits the desktop's usable
// area and can be resized; the picture is scaled to fit. Full screen
// switches the display to the game's size when it offers that mode;
// otherwise the window covers the desktop and the picture is letterboxed.
#include "framework/platform/platform_window_state.h"
#include "framework/platform/platform_x11_window.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cstdio>

namespace platform {
namespace detail {

WindowState& Window() {
    static WindowState state;
    return state;
}

} // namespace detail

namespace {

using detail::Window;

void RequestPixelFormat(int colourBits, bool fullRequest) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    if (!fullRequest) return;
    bool sixteen = colourBits == 16;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, sixteen ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, sixteen ? 5 : 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
#ifdef __EMSCRIPTEN__
    // A page has WebGL 2 (OpenGL ES 3), on which emscripten emulates the
    // fixed-function calls the renderer makes.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
#else
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
#endif
}

bool DisplayOffersMode(int width, int height) {
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height)
            return true;
    }
    return false;
}

// The largest whole multiple of the game's size that fits the desktop's
// usable area (without panels and docks), and at least the game's size.
int WholeScaleThatFits(const WindowRequest& r) {
    SDL_Rect usable{0, 0, r.width, r.height};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
    return std::max(1, std::min(usable.w / r.width, usable.h / r.height));
}

SDL_Window* CreateSdlWindow(const WindowRequest& r, Uint32 flags) {
    if ((flags & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP) {
        // Cover the desktop from the start: without a window manager the
        // full-screen request alone leaves the window at the game's size.
        SDL_Rect desktop{0, 0, r.width, r.height};
        SDL_GetDisplayBounds(0, &desktop);
        return SDL_CreateWindow(r.title, desktop.x, desktop.y, desktop.w, desktop.h,
                                flags | SDL_WINDOW_BORDERLESS);
    }
    const int scale = (flags & SDL_WINDOW_FULLSCREEN) ? 1 : WholeScaleThatFits(r);
    return SDL_CreateWindow(r.title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                            r.width * scale, r.height * scale, flags);
}

void SetIcon(const WindowRequest& r) {
    if (!r.iconRgba || r.iconWidth <= 0 || r.iconHeight <= 0) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint8_t*>(r.iconRgba), r.iconWidth, r.iconHeight, 32, r.iconWidth * 4,
        SDL_PIXELFORMAT_ABGR8888); // bytes R, G, B, A on a little-endian machine
    if (!icon) return;
    SDL_SetWindowIcon(Window().window, icon);
    SDL_FreeSurface(icon);
}

// Without any display SDL falls back to drawing offscreen, and the game
// would run where nobody sees it. Only a caller that asked for such a
// driver by name (a test, a benchmark) gets one.
bool DrawsUnseen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || SDL_getenv("SDL_VIDEODRIVER")) return false;
    return SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0;
}

} // namespace

OpenResult OpenWindow(const WindowRequest& r) {
    detail::WindowState& w = Window();
    if (w.window) return OpenResult::WindowRefused; // one window per process
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return OpenResult::WindowRefused;
    if (DrawsUnseen()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        std::fprintf(stderr, "ORBOLO: no display to open the game's window on "
                             "(is DISPLAY or WAYLAND_DISPLAY set?)\n");
        return OpenResult::WindowRefused;
    }
    w.videoStarted = true;
    w.closeRequested = false;
    w.gameWidth = r.width;
    w.gameHeight = r.height;
    // Input is polled; a queue of motion events would only delay the close
    // event behind them, since one event is handled per frame.
    SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);

    Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE;
    if (r.fullscreen)
        flags |= DisplayOffersMode(r.width, r.height) ? SDL_WINDOW_FULLSCREEN
                                                      : SDL_WINDOW_FULLSCREEN_DESKTOP;
    // The full pixel format first, then double buffering alone.
    RequestPixelFormat(r.colourBits, true);
    w.window = CreateSdlWindow(r, flags | SDL_WINDOW_OPENGL);
    if (!w.window) {
        RequestPixelFormat(r.colourBits, false);
        w.window = CreateSdlWindow(r, flags | SDL_WINDOW_OPENGL);
    }
    if (!w.window) {
        // A window without GL tells a refused window from a missing driver.
        w.window = CreateSdlWindow(r, flags);
        if (!w.window) {
            CloseWindow();
            return OpenResult::WindowRefused;
        }
        SetIcon(r);
        return OpenResult::NoPixelFormat;
    }
    SetIcon(r);
    // Smaller than half the game's size nothing can be read or hit.
    SDL_SetWindowMinimumSize(w.window, r.width / 2, r.height / 2);
    w.windowedWidth = r.width * WholeScaleThatFits(r);
    w.windowedHeight = r.height * WholeScaleThatFits(r);

    w.context = SDL_GL_CreateContext(w.window);
    if (!w.context) return OpenResult::ContextFailed;
    if (SDL_GL_MakeCurrent(w.window, w.context) != 0) return OpenResult::MakeCurrentFailed;
    // Probe swap control by setting the interval the driver already uses.
    w.swapControl = SDL_GL_SetSwapInterval(SDL_GL_GetSwapInterval()) == 0;
    detail::StartRenderer();
    return OpenResult::Ok;
}

void CloseWindow() {
    detail::WindowState& w = Window();
    if (w.context) {
        detail::StopRenderer();
        detail::StopPicture();
        SDL_GL_MakeCurrent(w.window, nullptr);
        SDL_GL_DeleteContext(w.context);
        w.context = nullptr;
    }
    if (w.window) {
        SDL_DestroyWindow(w.window); // leaves full screen, restoring the desktop mode
        w.window = nullptr;
    }
    if (w.videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        w.videoStarted = false;
    }
    w.swapControl = false;
}

bool WindowExists() {
    return Window().window != nullptr;
}
bool HasContext() {
    return Window().context != nullptr;
}

void RestoreDesktopMode() {
    if (Window().window) SDL_SetWindowFullscreen(Window().window, 0);
}

bool HasSwapControl() {
    return Window().swapControl;
}

bool SetSwapInterval(int interval) {
    return Window().context && SDL_GL_SetSwapInterval(interval) == 0;
}

void ToggleFullscreen() {
    detail::WindowState& w = Window();
    if (!w.window) return;
    if (SDL_GetWindowFlags(w.window) & SDL_WINDOW_FULLSCREEN) {
        SDL_SetWindowFullscreen(w.window, 0);
        SDL_SetWindowSize(w.window, w.windowedWidth, w.windowedHeight);
        SDL_SetWindowPosition(w.window, w.windowedX, w.windowedY);
        return;
    }
    SDL_GetWindowSize(w.window, &w.windowedWidth, &w.windowedHeight);
    SDL_GetWindowPosition(w.window, &w.windowedX, &w.windowedY);
    // The desktop keeps its mode; the picture is letterboxed onto it.
    SDL_SetWindowFullscreen(w.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    detail::CoverDisplayWithoutWindowManager();
}

void SetWindowTitle(const char* title) {
    if (Window().window) SDL_SetWindowTitle(Window().window, title ? title : "");
}

bool IsWindowFocused() {
    SDL_Window* window = Window().window;
    if (!window) return false;
    // Without a window system (SDL's offscreen driver) nothing else can be
    // in front, and focus never arrives.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && SDL_strcmp(driver, "offscreen") == 0) return true;
    Uint32 flags = SDL_GetWindowFlags(window);
    return (flags & SDL_WINDOW_INPUT_FOCUS) && !(flags & SDL_WINDOW_MINIMIZED);
}

void GetWindowPosition(int* x, int* y) {
    *x = 0;
    *y = 0;
    if (Window().window) SDL_GetWindowPosition(Window().window, x, y);
}

} // namespace platform
