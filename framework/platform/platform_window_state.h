// State shared by the window, event and letterbox files of the platform
// layer. Private to framework/platform.
#pragma once
#include "framework/platform/platform_window.h"

#include <SDL.h>

namespace platform::detail {

struct LetterboxTarget {
    bool active = false; // drawing goes to a game-sized framebuffer object
    unsigned framebuffer = 0;
    unsigned renderbuffer = 0;
    Letterbox box; // where that picture lands in the window
};

struct WindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool videoStarted = false;
    bool swapControl = false;
    bool closeRequested = false;
    int gameWidth = 0, gameHeight = 0;
    void (*observer)(const SDL_Event&) = nullptr;
    LetterboxTarget letterbox;
};

WindowState& Window();

// Sets up the game-sized target when the drawable is larger than the game.
// False when the driver cannot provide it (drawing then goes straight on).
bool StartLetterbox(int drawableWidth, int drawableHeight);
void StopLetterbox();
// Scales the finished picture onto the window's back buffer, swaps, and
// points drawing back at the game-sized target.
void SwapThroughLetterbox();

} // namespace platform::detail
