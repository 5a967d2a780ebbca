// Key presses named by the framework's key codes. Private to
// framework/platform.
#pragma once
#include <SDL.h>

namespace platform::detail {

// The framework's key code for a pressed key, -1 for a key without one.
// Letters follow the layout: the key's symbol decides, so the key that
// types Z on a German or French keyboard gives Z. On a layout whose letter
// keys type no Latin letters the key's US position decides instead. Every
// other key is named by its position; keypad Enter counts as Return.
int KeyCodeForPress(const SDL_Keysym& key);

} // namespace platform::detail
