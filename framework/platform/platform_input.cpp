// Keys and presses on SDL2. Presses are watched with an SDL event watch,
// which runs while SDL_PumpEvents moves them into the queue: the window
// layer takes only one event off that queue per frame, so a press seen
// there could arrive frames after the button went up again and pose as a
// new click.
#include "framework/platform/platform_input.h"

#include "framework/platform/platform_window_state.h"

static_assert(SDL_NUM_SCANCODES == platform::kLeftButtonInput);

namespace platform {
namespace {

void (*pressListener)(int, uint32_t) = nullptr;

int SDLCALL ForwardPress(void*, SDL_Event* event) {
    if (!pressListener) return 0;
    if (event->type == SDL_KEYDOWN && !event->key.repeat)
        pressListener(event->key.keysym.scancode, event->key.timestamp);
    if (event->type == SDL_MOUSEBUTTONDOWN && event->button.button == SDL_BUTTON_LEFT)
        pressListener(kLeftButtonInput, event->button.timestamp);
    return 0;
}

} // namespace

void WatchPresses(void (*onPress)(int input, uint32_t timeMs)) {
    pressListener = onPress;
    SDL_DelEventWatch(ForwardPress, nullptr);
    if (onPress) SDL_AddEventWatch(ForwardPress, nullptr);
}

uint32_t InputMilliseconds() {
    return SDL_GetTicks();
}

void RefreshInput() {
    if (detail::Window().videoStarted) SDL_PumpEvents();
}

bool IsScancodeHeld(int scancode) {
    if (scancode <= SDL_SCANCODE_UNKNOWN || scancode >= SDL_NUM_SCANCODES) return false;
    return SDL_GetKeyboardState(nullptr)[scancode] != 0;
}

void HideSystemCursor() {
    SDL_ShowCursor(SDL_DISABLE);
}

} // namespace platform
