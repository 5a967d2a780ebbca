#include "framework/platform/platform_x11_window.h"

#include "framework/platform/platform_window_state.h"

#include <SDL_syswm.h>

namespace platform::detail {

#ifdef SDL_VIDEO_DRIVER_X11
namespace {

bool X11Handles(SDL_SysWMinfo* info) {
    SDL_Window* window = Window().window;
    if (!window) return false;
    SDL_VERSION(&info->version);
    return SDL_GetWindowWMInfo(window, info) && info->subsystem == SDL_SYSWM_X11;
}

// A window manager is the one client that redirects the root window's
// children: only one client at a time may ask for that.
bool WindowManagerRunning(Display* display) {
    XWindowAttributes root;
    if (!XGetWindowAttributes(display, DefaultRootWindow(display), &root)) return true;
    return (root.all_event_masks & SubstructureRedirectMask) != 0;
}

} // namespace

void RealDrawableSize(int* width, int* height) {
    SDL_GL_GetDrawableSize(Window().window, width, height);
    SDL_SysWMinfo info;
    ::Window root = 0;
    int x = 0, y = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    if (X11Handles(&info) && XGetGeometry(info.info.x11.display, info.info.x11.window, &root, &x,
                                          &y, &w, &h, &border, &depth)) {
        *width = static_cast<int>(w);
        *height = static_cast<int>(h);
    }
}

void CoverDisplayWithoutWindowManager() {
    SDL_SysWMinfo info;
    if (!X11Handles(&info) || WindowManagerRunning(info.info.x11.display)) return;
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(Window().window), &bounds) != 0) return;
    Display* display = info.info.x11.display;
    XMoveResizeWindow(display, info.info.x11.window, bounds.x, bounds.y,
                      static_cast<unsigned>(bounds.w), static_cast<unsigned>(bounds.h));
    XRaiseWindow(display, info.info.x11.window);
    XFlush(display);
}

#else
// An SDL without X11 (a browser page): SDL's own picture of the window is
// the whole truth, and full screen is the browser's to grant.
void RealDrawableSize(int* width, int* height) {
    SDL_GL_GetDrawableSize(Window().window, width, height);
}

void CoverDisplayWithoutWindowManager() {}
#endif

} // namespace platform::detail
