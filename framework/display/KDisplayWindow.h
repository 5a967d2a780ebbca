// KDisplayWindow: the game's one window with its OpenGL context, the frame
// flip with its pacing, window messages, and full-screen play. All state is
// process-wide; the object's constructor and destructor start and end it.
#pragma once
#include <cstdint>

class KDisplayWindow {
  public:
    KDisplayWindow();
    ~KDisplayWindow();
    KDisplayWindow(const KDisplayWindow&) = delete;
    KDisplayWindow& operator=(const KDisplayWindow&) = delete;

    // Opens a centred, fixed-size window (or full screen when `windowed` is
    // false) with a client area of width x height and makes its context
    // current. The icon is gfx/icon.tga beside the executable when present.
    // False when the window or its context could not be made; the failing
    // step has shown its message.
    bool CreateGameWindow(int16_t width, int16_t height, int16_t depth, bool windowed,
                          const char* title);
    // Shows the drawn frame, at least 14 ms after the previous one, and
    // handles one window message. With pauseWhenInactive it then blocks
    // while the window is not in front, until it is again or is closed.
    void Flip(bool pauseWhenInactive);

    static bool IsClosed();
    // Marks the window closed and posts a quit message.
    static void RequestQuit();
    // Handles at most one pending window message; never waits.
    static void ProcessOneMessage();
    static void SetTitle(const char* title);
    static bool HasTextureRectangle();
    static bool HasSwapControl();
    // Leaves full screen, restoring the desktop's mode (also done at exit).
    static void RestoreDisplayMode();

    // When the last flip returned, on GetMilliseconds' clock (its reading
    // now before the first flip). Two frames that read it after their flips
    // are never closer than the interval below: a game steps on it so its
    // pace is fixed and a recording of it can be checked against it.
    static int32_t LastFlipMilliseconds();

    // The least time between two flips, 14 ms unless changed; 0 lets
    // benchmarks flip as fast as the driver allows.
    static void SetFrameInterval(uint32_t milliseconds);

    // Drivers may lack rectangle textures; tests use this to make the
    // framework behave as on such a driver. Set after CreateGameWindow.
    static void SetTextureRectangleAvailable(bool available);
};
