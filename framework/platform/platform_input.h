// Keyboard, mouse and cursor on SDL2, for the input layer's polling. Keys
// come from SDL's picture of the keyboard, brought up to date by
// RefreshInput; the pointer and the left button are asked of the window
// system at each call. Presses are reported as SDL takes them in, so that
// the input layer can remember a tap that was over before its next poll.
#pragma once
#include "framework/platform/platform_key_codes.h"

#include <cstdint>

namespace platform {

// Inputs as the press watcher names them: SDL scancodes (USB keyboard
// usages, below 512) and the left mouse button.
constexpr int kLeftButtonInput = 512;
constexpr int kInputCount = 513;

// The scancodes that answer for a key code: two for a key with a left and
// a right side (Shift, Control, Alt), otherwise one and 0.
struct KeyScancodes {
    int first = 0;
    int second = 0;
};
KeyScancodes ScancodesForKeyCode(int keyCode);

// A gamepad's buttons as the input layer hears of them: the left stick
// leaning past half way reports as the D-pad direction it leans to.
enum class PadButton {
    Up,
    Down,
    Left,
    Right,
    A,
    B,
    X,
    Y,
    Back,
    Start,
    LeftShoulder,
    RightShoulder
};

// Told of every press at the moment SDL reads it from the window system,
// with SDL's millisecond time; auto-repeat is no press. A null member is not
// told. onKey names a key press by the framework's key code, with letters
// as the player's keyboard layout types them (the key that types Z gives
// the code of Z on any layout) and keypad Enter as Return; keys without a
// code are left out.
struct PressWatcher {
    void (*onPress)(int input, uint32_t timeMs) = nullptr;
    void (*onKey)(int keyCode, uint32_t timeMs) = nullptr;
    void (*onPad)(PadButton button, uint32_t timeMs) = nullptr;
};
// Replaces an earlier watcher and opens the gamepads that are plugged in;
// gamepads plugged in or out later are opened or closed as RefreshInput
// sees them come and go. Must be called again after the window is
// reopened, since SDL drops its watchers when video stops.
void WatchPresses(const PressWatcher& watcher);
// The clock of the press times.
uint32_t InputMilliseconds();
// Reads what the window system and the gamepads have delivered into SDL
// (pressed keys, buttons, window moves) without taking events off the queue.
void RefreshInput();

// The pointer in the game window's pixels, unclamped: negative left of or
// above the window, beyond its size right of or below it.
void GetPointerInWindow(int* x, int* y);
// The left mouse button as the window system has it now.
bool IsLeftButtonHeld();
// The key as SDL has it after the last refresh.
bool IsScancodeHeld(int scancode);

// The game draws its own pointer.
void HideSystemCursor();

} // namespace platform
