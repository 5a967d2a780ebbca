// The pointer and the left button, asked of the X server at the moment of
// the call. SDL's own answers fall short: its window-relative position
// stops at the window's edges, and its global one is cached until an
// XInput2 raw event arrives, which synthetic moves (xdotool, warps by other
// programs) never send. Other video drivers use SDL's global state.
#include "framework/platform/platform_input.h"

#include "framework/platform/platform_window_state.h"

#include <SDL_syswm.h>

namespace platform {
namespace {

struct PointerReading {
    int x = 0, y = 0; // window pixels
    bool leftHeld = false;
};

bool QueryX11(PointerReading* reading) {
    SDL_Window* window = detail::Window().window;
    if (!window) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &rootX, &rootY,
                       &reading->x, &reading->y, &buttons))
        return false; // the pointer is on another screen
    reading->leftHeld = (buttons & Button1Mask) != 0;
    return true;
}

PointerReading ReadPointer() {
    PointerReading reading;
    if (QueryX11(&reading)) return reading;
    int windowX = 0, windowY = 0;
    Uint32 buttons = SDL_GetGlobalMouseState(&reading.x, &reading.y);
    GetWindowPosition(&windowX, &windowY);
    reading.x -= windowX;
    reading.y -= windowY;
    reading.leftHeld = (buttons & SDL_BUTTON_LMASK) != 0;
    return reading;
}

} // namespace

void GetPointerInWindow(int* x, int* y) {
    PointerReading reading = ReadPointer();
    *x = reading.x;
    *y = reading.y;
}

bool IsLeftButtonHeld() {
    return ReadPointer().leftHeld;
}

} // namespace platform
