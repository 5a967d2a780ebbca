// KInputState: keyboard, mouse and gamepads, polled. Every query reads the
// devices anew; there are no events to handle. A press that came and went
// since the last poll of the same key or button still counts once, so a tap
// shorter than a frame is not lost. Main thread only.
#pragma once
#include "framework/platform/platform_key_codes.h"

#include <cstdint>

// What a press asks of the screen: the arrow keys, the D-pad and the left
// stick move; Return, keypad Enter, Space and a gamepad's A accept;
// Backspace and its B go back; its X starts over, its Y asks for help; its
// Back picks the next setting and its Start raises that setting; its
// shoulder buttons turn left and right.
enum class KInputAction : uint8_t {
    None,
    Up,
    Down,
    Left,
    Right,
    Accept,
    Back,
    Restart,
    Help,
    NextSetting,
    RaiseSetting,
    TurnLeft,
    TurnRight,
};

// One press of a key or gamepad button. keyCode as IsKeyDown names keys,
// except that letters follow the player's keyboard layout (the key that
// types Z is kKeyZ on any layout) and keypad Enter is Return; -1 for a gamepad.
struct KInputPress {
    int32_t keyCode = -1;
    KInputAction action = KInputAction::None;
};

class KInputState {
  public:
    // Starts watching the game window's keyboard and mouse and forgets
    // earlier presses. Window creation calls it; calling again repeats it.
    static void Init();

    // The pointer in game pixels relative to the window's top-left corner
    // (through the letterbox when full screen scales the picture). Not
    // clamped: negative or beyond 639 / 479 outside the picture.
    static int16_t GetMouseX();
    static int16_t GetMouseY();
    // The left button is down now, or was pressed since the last call.
    static bool IsMouseDown();
    // Hides the system pointer over the window for good; the game draws
    // its own.
    static void HideCursor();

    // The key is down now, or was pressed since the last call for it.
    // Keys are named by KKey (platform_key_codes.h); any other code is
    // never down.
    static bool IsKeyDown(int32_t keyCode);
    // Returns once the key is up; the game stands still meanwhile.
    static void WaitKeyRelease(int32_t keyCode);

    // The oldest press not yet taken, one per key stroke or button press
    // (auto-repeat adds none), false when there is none. Presses older than
    // half a second are dropped: the game was not reading then.
    static bool TakePress(KInputPress* press);

    // A new screen begins: presses made before it are dropped, and a left
    // button still held from before is up until it has been let go, so only
    // clicks made on the new screen count. A held key stays down (Escape
    // held quits from any screen).
    static void ForgetPresses();
};
