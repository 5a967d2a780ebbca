#include "framework/input/KInputState.h"

#include "framework/input/press_latch.h"
#include "framework/platform/platform_input.h"
#include "framework/platform/platform_system.h"
#include "framework/platform/platform_window.h"

namespace {

struct InputState {
    PressLatch presses{platform::kInputCount};
    bool cursorHidden = false;
};

InputState& Input() {
    static InputState state;
    return state;
}

void RecordPress(int input, uint32_t timeMs) {
    Input().presses.Press(input, timeMs);
}

// Both sides of a sided key are asked, and both latches taken, so that one
// tap is not reported again through the other code of the pair.
bool HeldOrPressed(int scancode, uint32_t now) {
    bool pressed = Input().presses.Take(scancode, now);
    return platform::IsScancodeHeld(scancode) || pressed;
}

void PointerInGame(int* x, int* y) {
    platform::RefreshInput();
    int windowX = 0, windowY = 0;
    platform::GetPointerInWindow(&windowX, &windowY);
    platform::WindowToGame(platform::CurrentLetterbox(), windowX, windowY, x, y);
}

} // namespace

void KInputState::Init() {
    Input().presses.Clear();
    platform::WatchPresses(&RecordPress);
    // A new window brings the system pointer back.
    if (Input().cursorHidden) platform::HideSystemCursor();
}

int16_t KInputState::GetMouseX() {
    int x = 0, y = 0;
    PointerInGame(&x, &y);
    return static_cast<int16_t>(x);
}

int16_t KInputState::GetMouseY() {
    int x = 0, y = 0;
    PointerInGame(&x, &y);
    return static_cast<int16_t>(y);
}

bool KInputState::IsMouseDown() {
    platform::RefreshInput();
    bool pressed = Input().presses.Take(platform::kLeftButtonInput, platform::InputMilliseconds());
    return platform::IsLeftButtonHeld() || pressed;
}

void KInputState::HideCursor() {
    Input().cursorHidden = true;
    platform::HideSystemCursor();
}

bool KInputState::IsKeyDown(int32_t keyCode) {
    platform::KeyScancodes keys = platform::ScancodesForKeyCode(keyCode);
    if (!keys.first) return false;
    platform::RefreshInput();
    uint32_t now = platform::InputMilliseconds();
    bool down = HeldOrPressed(keys.first, now);
    if (keys.second) down = HeldOrPressed(keys.second, now) || down;
    return down;
}

void KInputState::WaitKeyRelease(int32_t keyCode) {
    platform::KeyScancodes keys = platform::ScancodesForKeyCode(keyCode);
    if (!keys.first) return;
    // Only the key's level counts here; SDL must still read the window
    // system to see it change. The pause keeps the wait off the CPU.
    for (;;) {
        platform::RefreshInput();
        bool held = platform::IsScancodeHeld(keys.first) ||
                    (keys.second && platform::IsScancodeHeld(keys.second));
        if (!held) return;
        platform::SleepMicroseconds(1000);
    }
}
