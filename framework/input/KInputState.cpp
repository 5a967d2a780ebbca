#include "framework/input/KInputState.h"

#include "framework/input/press_latch.h"
#include "framework/platform/platform_input.h"
#include "framework/platform/platform_system.h"
#include "framework/platform/platform_window.h"

#include <deque>

namespace {

struct TimedPress {
    KInputPress press;
    uint32_t timeMs;
};

struct InputState {
    PressLatch presses{platform::kInputCount};
    // The left button held when the screen began, ignored until let go.
    bool leftHeldFromBefore = false;
    std::deque<TimedPress> typed;
    bool cursorHidden = false;
};

InputState& Input() {
    static InputState state;
    return state;
}

void RecordPress(int input, uint32_t timeMs) {
    Input().presses.Press(input, timeMs);
}

void Queue(KInputPress press, uint32_t timeMs) {
    std::deque<TimedPress>& typed = Input().typed;
    if (typed.size() >= 64) typed.pop_front(); // nobody is reading
    typed.push_back({press, timeMs});
}

KInputAction KeyAction(int keyCode) {
    switch (keyCode) {
    case 0:
        return KInputAction::Left;
    case 1:
        return KInputAction::Up;
    case 2:
        return KInputAction::Down;
    case 3:
        return KInputAction::Right;
    case 4:
    case 7:
        return KInputAction::Accept; // Space, Return and keypad Enter
    case 22:
        return KInputAction::Back; // Backspace
    default:
        return KInputAction::None;
    }
}

void RecordKey(int keyCode, uint32_t timeMs) {
    Queue({keyCode, KeyAction(keyCode)}, timeMs);
}

void RecordPad(platform::PadButton button, uint32_t timeMs) {
    using platform::PadButton;
    KInputAction action = KInputAction::None;
    switch (button) {
    case PadButton::Up:
        action = KInputAction::Up;
        break;
    case PadButton::Down:
        action = KInputAction::Down;
        break;
    case PadButton::Left:
        action = KInputAction::Left;
        break;
    case PadButton::Right:
        action = KInputAction::Right;
        break;
    case PadButton::A:
        action = KInputAction::Accept;
        break;
    case PadButton::B:
        action = KInputAction::Back;
        break;
    case PadButton::X:
        action = KInputAction::Restart;
        break;
    case PadButton::Y:
        action = KInputAction::Help;
        break;
    case PadButton::Back:
        action = KInputAction::NextSetting;
        break;
    case PadButton::Start:
        action = KInputAction::RaiseSetting;
        break;
    case PadButton::LeftShoulder:
        action = KInputAction::TurnLeft;
        break;
    case PadButton::RightShoulder:
        action = KInputAction::TurnRight;
        break;
    }
    Queue({-1, action}, timeMs);
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
    ForgetPresses();
    platform::PressWatcher watcher;
    watcher.onPress = RecordPress;
    watcher.onKey = RecordKey;
    watcher.onPad = RecordPad;
    platform::WatchPresses(watcher);
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
    InputState& state = Input();
    const uint32_t now = platform::InputMilliseconds();
    const bool pressed = state.presses.Take(platform::kLeftButtonInput, now);
    const bool held = platform::IsLeftButtonHeld();
    if (state.leftHeldFromBefore) {
        if (held && !pressed) return false;
        state.leftHeldFromBefore = false;
    }
    return held || pressed;
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

bool KInputState::TakePress(KInputPress* press) {
    platform::RefreshInput();
    const uint32_t now = platform::InputMilliseconds();
    std::deque<TimedPress>& typed = Input().typed;
    while (!typed.empty()) {
        TimedPress next = typed.front();
        typed.pop_front();
        if (now - next.timeMs <= PressLatch::kFreshMilliseconds) {
            *press = next.press;
            return true;
        }
    }
    return false;
}

void KInputState::ForgetPresses() {
    InputState& state = Input();
    platform::RefreshInput();
    state.presses.Clear();
    state.typed.clear();
    state.leftHeldFromBefore = platform::IsLeftButtonHeld();
}
