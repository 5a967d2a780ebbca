// Keys, gamepads and presses on SDL2. Presses are watched with an SDL event
// watch, which runs while SDL_PumpEvents moves them into the queue: the window
// layer takes only one event off that queue per frame, so a press seen
// there could arrive frames after the button went up again and pose as a
// new click.
#include "framework/platform/platform_input.h"

#include "framework/platform/platform_gamepad.h"
#include "framework/platform/platform_keys.h"
#include "framework/platform/platform_window_state.h"

static_assert(SDL_NUM_SCANCODES == platform::kLeftButtonInput);

namespace platform {
namespace {

PressWatcher watcher;

int SDLCALL ForwardPress(void*, SDL_Event* event) {
    if (event->type == SDL_KEYDOWN && !event->key.repeat) {
        if (watcher.onPress) watcher.onPress(event->key.keysym.scancode, event->key.timestamp);
        const int code = detail::KeyCodeForPress(event->key.keysym);
        if (watcher.onKey && code >= 0) watcher.onKey(code, event->key.timestamp);
    }
    if (event->type == SDL_MOUSEBUTTONDOWN && event->button.button == SDL_BUTTON_LEFT &&
        watcher.onPress)
        watcher.onPress(kLeftButtonInput, event->button.timestamp);
    PadButton button{};
    if (detail::GamepadPress(*event, &button) && watcher.onPad)
        watcher.onPad(button, event->common.timestamp);
    return 0;
}

} // namespace

void WatchPresses(const PressWatcher& newWatcher) {
    watcher = newWatcher;
    SDL_DelEventWatch(ForwardPress, nullptr);
    SDL_AddEventWatch(ForwardPress, nullptr);
    detail::StartGamepads();
}

uint32_t InputMilliseconds() {
    return SDL_GetTicks();
}

void RefreshInput() {
    if (!detail::Window().videoStarted) return;
    SDL_PumpEvents();
    detail::UpdateGamepads();
}

bool IsScancodeHeld(int scancode) {
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return false;
    return SDL_GetKeyboardState(nullptr)[scancode] != 0;
}

void HideSystemCursor() {
    SDL_ShowCursor(SDL_DISABLE);
}

} // namespace platform
