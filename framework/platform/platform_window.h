// The game window and its OpenGL context on SDL2: opening and closing, the
// event queue, focus, full screen, and the letterbox that scales the
// 640 x 480 picture into a window or desktop of another size (the
// renderer, platform_renderer.h, draws and shows the frames). The display layer
// keeps the behaviour; this file only hides SDL. The input layer adds its
// own polling beside it and may watch every event through an observer.
#pragma once
#include <cstdint>

union SDL_Event;

namespace platform {

struct WindowRequest {
    int width = 640;
    int height = 480;
    int colourBits = 16; // 16 asks for 5-6-5, anything else for 8-8-8
    bool fullscreen = false;
    const char* title = "";
    // Optional icon: width x height RGBA pixels, rows from the top.
    const uint8_t* iconRgba = nullptr;
    int iconWidth = 0;
    int iconHeight = 0;
};

enum class OpenResult {
    Ok,
    WindowRefused,     // no window at all
    NoPixelFormat,     // a window, but no GL visual of the requested kind
    ContextFailed,     // GL context could not be created
    MakeCurrentFailed, // context created but could not be made current
};

// Opens the one window and makes its GL context current. On any result but
// Ok and WindowRefused the window stays open without a usable context.
OpenResult OpenWindow(const WindowRequest& request);
// Destroys the context and the window; SDL puts the desktop mode back.
void CloseWindow();
bool WindowExists();
bool HasContext();

// Leaves full screen (the desktop mode comes back); safe when windowed.
void RestoreDesktopMode();

// True when SDL can set a swap interval on this context.
bool HasSwapControl();
bool SetSwapInterval(int interval);

// Between a window and full screen on the desktop (letterboxed), as F11 does.
void ToggleFullscreen();

void SetWindowTitle(const char* title);

// --- events ---
// Takes at most one pending event off the queue and handles it; never waits.
// Returns false when the queue was empty.
bool PumpOneEvent();
// Works off every pending event.
void PumpAllEvents();
// Blocks until an event arrives or timeoutMs passes, then handles it.
bool WaitOneEvent(int timeoutMs);
// A close box, a window-manager close or SIGTERM/SIGINT was seen.
bool CloseRequested();
// Posts a quit event, as the close box would.
void PostQuit();
// Called for every event taken off the queue (the input layer's hook).
void SetEventObserver(void (*observer)(const SDL_Event& event));

// --- window facts for the input layer ---
bool IsWindowFocused();
void GetWindowPosition(int* x, int* y);

// --- letterbox ---
// Where the game picture sits inside the window's drawable area.
struct Letterbox {
    int x = 0, y = 0;          // top-left of the picture in window pixels
    int width = 0, height = 0; // picture size in window pixels
    int gameWidth = 0, gameHeight = 0;
};
// The largest fit of game into output with the aspect kept, centred; bars
// fill the rest. Pure arithmetic.
Letterbox ComputeLetterbox(int outputWidth, int outputHeight, int gameWidth, int gameHeight);
// Window pixel to game pixel through a letterbox (floor division, so the
// result can lie outside the game area when the point is on a bar).
void WindowToGame(const Letterbox& box, int windowX, int windowY, int* gameX, int* gameY);
// The letterbox for the window's size now (identity when it is game-sized).
Letterbox CurrentLetterbox();

} // namespace platform
