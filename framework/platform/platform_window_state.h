// State shared by the window, event, letterbox and renderer files of the
// platform layer. Private to framework/platform.
#pragma once
#include "framework/platform/platform_window.h"

#include <SDL.h>

namespace platform::detail {

// Where the game picture is drawn: the window's own back buffer while the
// window is the game's size, else a game-sized framebuffer object that the
// swap scales into the window between black bars.
struct PictureTarget {
    bool scaled = false; // drawing goes to the framebuffer object
    unsigned framebuffer = 0;
    unsigned renderbuffer = 0;
    int outputWidth = 0, outputHeight = 0; // the drawable it was set up for
};

struct WindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool videoStarted = false;
    bool swapControl = false;
    bool closeRequested = false;
    int gameWidth = 0, gameHeight = 0;
    int windowedWidth = 0, windowedHeight = 0; // restored when full screen ends
    int windowedX = 0, windowedY = 0;          // and the place, likewise
    void (*observer)(const SDL_Event&) = nullptr;
    PictureTarget picture;
};

WindowState& Window();

// Sets up drawing for the window's current drawable size; true when that
// changed what the picture is drawn into (everything must be drawn again).
bool FitPictureToWindow();
void StopPicture();
// Shows the drawn picture: swaps, or scales it into the window and swaps.
void ShowPicture();
// The renderer's GL state for a new context, and its end with the context.
void StartRenderer();
void StopRenderer();
// Called for window events: exposure, size, focus and context changes.
void NoteWindowEvent(const SDL_Event& event);

} // namespace platform::detail
