// Gamepads through SDL's GameController API. Private to framework/platform.
#pragma once
#include "framework/platform/platform_input.h"

#include <SDL.h>

namespace platform::detail {

// Starts SDL's gamepad support (once) and opens every gamepad plugged in.
void StartGamepads();
// Opens the gamepads plugged in and closes those pulled out since the last
// call; cheap when none came or went.
void UpdateGamepads();
// Notes a device arriving or leaving for the next UpdateGamepads, and turns
// a gamepad event into a press: true with *button set for a button press or
// the left stick leaning past half way.
bool GamepadPress(const SDL_Event& event, PadButton* button);

} // namespace platform::detail
