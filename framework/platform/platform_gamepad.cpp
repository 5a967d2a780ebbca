// Gamepads: every device SDL knows as a game controller is opened, so its
// events flow; the left stick is read with a dead band between half way
// (press) and a quarter (release), so a resting stick never repeats.
#include "framework/platform/platform_gamepad.h"

#include <atomic>
#include <vector>

namespace platform::detail {
namespace {

constexpr int kLeanPress = 16384, kLeanRelease = 8192;

struct Gamepads {
    bool started = false;
    // Set by the event watch, which may run on SDL's event thread.
    std::atomic<bool> devicesChanged{false};
    std::vector<SDL_GameController*> open;
    int leanX = 0, leanY = 0; // -1, 0 or 1 for the left stick
};

Gamepads& Pads() {
    static Gamepads pads;
    return pads;
}

bool IsOpen(SDL_JoystickID id) {
    for (SDL_GameController* pad : Pads().open)
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id) return true;
    return false;
}

// A lean past the press mark in a new direction is a press; back inside the
// release mark the stick is at rest again.
bool Lean(int value, int* lean, PadButton negative, PadButton positive, PadButton* button) {
    int now = *lean;
    if (value <= -kLeanPress)
        now = -1;
    else if (value >= kLeanPress)
        now = 1;
    else if (value > -kLeanRelease && value < kLeanRelease)
        now = 0;
    const bool pressed = now != 0 && now != *lean;
    *lean = now;
    if (pressed) *button = now < 0 ? negative : positive;
    return pressed;
}

} // namespace

void StartGamepads() {
    Gamepads& pads = Pads();
    if (!pads.started) {
        // Without a pad driver the game still runs on keyboard and mouse.
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
        pads.started = true;
    }
    pads.devicesChanged = true;
    UpdateGamepads();
}

void UpdateGamepads() {
    Gamepads& pads = Pads();
    if (!pads.started || !pads.devicesChanged.exchange(false)) return;
    std::vector<SDL_GameController*> kept;
    for (SDL_GameController* pad : pads.open) {
        if (SDL_GameControllerGetAttached(pad))
            kept.push_back(pad);
        else
            SDL_GameControllerClose(pad);
    }
    pads.open = kept;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i) || IsOpen(SDL_JoystickGetDeviceInstanceID(i))) continue;
        if (SDL_GameController* pad = SDL_GameControllerOpen(i)) pads.open.push_back(pad);
    }
}

bool GamepadPress(const SDL_Event& event, PadButton* button) {
    Gamepads& pads = Pads();
    switch (event.type) {
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
        pads.devicesChanged = true;
        return false;
    case SDL_CONTROLLERAXISMOTION:
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
            return Lean(event.caxis.value, &pads.leanX, PadButton::Left, PadButton::Right, button);
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
            return Lean(event.caxis.value, &pads.leanY, PadButton::Up, PadButton::Down, button);
        return false;
    case SDL_CONTROLLERBUTTONDOWN:
        switch (event.cbutton.button) {
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            *button = PadButton::Up;
            return true;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            *button = PadButton::Down;
            return true;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            *button = PadButton::Left;
            return true;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            *button = PadButton::Right;
            return true;
        case SDL_CONTROLLER_BUTTON_A:
            *button = PadButton::A;
            return true;
        case SDL_CONTROLLER_BUTTON_B:
            *button = PadButton::B;
            return true;
        case SDL_CONTROLLER_BUTTON_X:
            *button = PadButton::X;
            return true;
        case SDL_CONTROLLER_BUTTON_Y:
            *button = PadButton::Y;
            return true;
        case SDL_CONTROLLER_BUTTON_BACK:
            *button = PadButton::Back;
            return true;
        case SDL_CONTROLLER_BUTTON_START:
            *button = PadButton::Start;
            return true;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
            *button = PadButton::LeftShoulder;
            return true;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
            *button = PadButton::RightShoulder;
            return true;
        default:
            return false;
        }
    default:
        return false;
    }
}

} // namespace platform::detail
