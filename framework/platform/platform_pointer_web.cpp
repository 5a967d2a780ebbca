// The pointer and the left button as SDL last heard them from the page: the
// browser reports every move over the canvas, so SDL's own state is current.
#include "framework/platform/platform_input.h"

#include "framework/platform/platform_window_state.h"

namespace platform {

void GetPointerInWindow(int* x, int* y) {
    SDL_GetMouseState(x, y);
}

bool IsLeftButtonHeld() {
    return (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
}

} // namespace platform
