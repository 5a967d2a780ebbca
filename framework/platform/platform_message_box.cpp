#include "framework/platform/platform_system.h"
#include "framework/platform/platform_window_state.h"

#include <cstdio>

namespace platform {

// A modal box with an OK button over the game window when there is one.
// Where no display can show a box (no X server, no zenity), the message
// goes to standard error, where a player starting from a terminal sees it.
void ShowMessageBox(const char* caption, const char* text) {
    const char* c = caption ? caption : "";
    const char* t = text ? text : "";
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, c, t, detail::Window().window) == 0)
        return;
    std::fprintf(stderr, "%s: %s\n", c, t);
}

} // namespace platform
