// The window's event queue: one event at a time, as the frame loop asks.
// Every event taken off the queue passes here, so a close request is never
// lost, whoever pumped it; SDL turns SIGTERM and SIGINT into a quit event.
// Window changes make the renderer draw the next frame even when unchanged,
// and F11 switches between a window and full screen wherever it is pressed.
#include "framework/platform/platform_window_state.h"

namespace platform {
namespace {

void Handle(const SDL_Event& event) {
    detail::WindowState& w = detail::Window();
    if (event.type == SDL_QUIT) w.closeRequested = true;
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)
        w.closeRequested = true;
    detail::NoteWindowEvent(event);
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_F11 && !event.key.repeat)
        ToggleFullscreen();
    if (w.observer) w.observer(event);
}

} // namespace

bool PumpOneEvent() {
    if (!detail::Window().videoStarted) return false;
    SDL_Event event;
    if (!SDL_PollEvent(&event)) return false;
    Handle(event);
    return true;
}

void PumpAllEvents() {
    while (PumpOneEvent()) {
    }
}

bool WaitOneEvent(int timeoutMs) {
    if (!detail::Window().videoStarted) return false;
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, timeoutMs)) return false;
    Handle(event);
    return true;
}

bool CloseRequested() {
    return detail::Window().closeRequested;
}

void PostQuit() {
    if (!detail::Window().videoStarted) return;
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void SetEventObserver(void (*observer)(const SDL_Event& event)) {
    detail::Window().observer = observer;
}

} // namespace platform
