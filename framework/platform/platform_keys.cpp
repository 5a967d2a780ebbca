// The framework's key codes mapped to SDL scancodes, which name physical
// keys whatever the keyboard layout, and back from typed keys. Sided keys answer for both sides, so
// "left Shift" and "right Shift" are the same question. The keypad codes
// name the keypad's keys whether Num Lock is on or off; Clear is the
// keypad 5 key it comes from.
#include "framework/platform/platform_input.h"
#include "framework/platform/platform_keys.h"

#include <SDL.h>

#include <array>

namespace platform {
namespace {

constexpr KeyScancodes One(SDL_Scancode key) {
    return {key, SDL_SCANCODE_UNKNOWN};
}
constexpr KeyScancodes Both(SDL_Scancode left, SDL_Scancode right) {
    return {left, right};
}

// Indexed by key code.
constexpr std::array<KeyScancodes, kKeyCodeCount> kKeys = {
    One(SDL_SCANCODE_LEFT),
    One(SDL_SCANCODE_UP),
    One(SDL_SCANCODE_DOWN),
    One(SDL_SCANCODE_RIGHT),
    One(SDL_SCANCODE_SPACE),
    Both(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT), // 5: left Shift
    Both(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT), // 6: right Shift
    One(SDL_SCANCODE_RETURN),
    Both(SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL), // 8: right Control
    Both(SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL), // 9: left Control
    One(SDL_SCANCODE_F1),
    One(SDL_SCANCODE_F2),
    One(SDL_SCANCODE_F3),
    One(SDL_SCANCODE_F4),
    One(SDL_SCANCODE_F5),
    One(SDL_SCANCODE_F6),
    One(SDL_SCANCODE_F7),
    One(SDL_SCANCODE_F8),
    One(SDL_SCANCODE_F9),
    One(SDL_SCANCODE_F10),
    One(SDL_SCANCODE_F11),
    One(SDL_SCANCODE_F12),
    One(SDL_SCANCODE_BACKSPACE), // 22
    One(SDL_SCANCODE_TAB),
    One(SDL_SCANCODE_ESCAPE), // 24
    One(SDL_SCANCODE_A),      // 25
    One(SDL_SCANCODE_B),
    One(SDL_SCANCODE_C),
    One(SDL_SCANCODE_D),
    One(SDL_SCANCODE_E),
    One(SDL_SCANCODE_F),
    One(SDL_SCANCODE_G),
    One(SDL_SCANCODE_H),
    One(SDL_SCANCODE_I),
    One(SDL_SCANCODE_J),
    One(SDL_SCANCODE_K),
    One(SDL_SCANCODE_L),
    One(SDL_SCANCODE_M),
    One(SDL_SCANCODE_N),
    One(SDL_SCANCODE_O),
    One(SDL_SCANCODE_P),
    One(SDL_SCANCODE_Q),
    One(SDL_SCANCODE_R),
    One(SDL_SCANCODE_S),
    One(SDL_SCANCODE_T),
    One(SDL_SCANCODE_U),
    One(SDL_SCANCODE_V),
    One(SDL_SCANCODE_W),
    One(SDL_SCANCODE_X),
    One(SDL_SCANCODE_Y),
    One(SDL_SCANCODE_Z), // 50
    One(SDL_SCANCODE_0), // 51: the main block's digits, 0 first
    One(SDL_SCANCODE_1),
    One(SDL_SCANCODE_2),
    One(SDL_SCANCODE_3),
    One(SDL_SCANCODE_4),
    One(SDL_SCANCODE_5),
    One(SDL_SCANCODE_6),
    One(SDL_SCANCODE_7),
    One(SDL_SCANCODE_8),
    One(SDL_SCANCODE_9),    // 60
    One(SDL_SCANCODE_KP_0), // 61
    One(SDL_SCANCODE_KP_1),
    One(SDL_SCANCODE_KP_2),
    One(SDL_SCANCODE_KP_3),
    One(SDL_SCANCODE_KP_4),
    One(SDL_SCANCODE_KP_5),
    One(SDL_SCANCODE_KP_6),
    One(SDL_SCANCODE_KP_7),
    One(SDL_SCANCODE_KP_8),
    One(SDL_SCANCODE_KP_9), // 70
    One(SDL_SCANCODE_KP_MULTIPLY),
    One(SDL_SCANCODE_KP_PLUS),
    One(SDL_SCANCODE_KP_MINUS),
    One(SDL_SCANCODE_KP_PERIOD),
    One(SDL_SCANCODE_KP_DIVIDE),
    One(SDL_SCANCODE_KP_5), // 76: Clear
    Both(SDL_SCANCODE_LALT, SDL_SCANCODE_RALT),
    One(SDL_SCANCODE_LGUI),
    One(SDL_SCANCODE_RGUI),
    One(SDL_SCANCODE_NUMLOCKCLEAR), // 80
    One(SDL_SCANCODE_SCROLLLOCK),
    One(SDL_SCANCODE_SEMICOLON),
    One(SDL_SCANCODE_EQUALS),
    One(SDL_SCANCODE_COMMA),
    One(SDL_SCANCODE_MINUS),
    One(SDL_SCANCODE_PERIOD),
    One(SDL_SCANCODE_SLASH),
    One(SDL_SCANCODE_GRAVE),
    One(SDL_SCANCODE_LEFTBRACKET),
    One(SDL_SCANCODE_BACKSLASH),
    One(SDL_SCANCODE_RIGHTBRACKET),
    One(SDL_SCANCODE_APOSTROPHE), // 92
};

} // namespace

KeyScancodes ScancodesForKeyCode(int keyCode) {
    if (keyCode < 0 || keyCode >= kKeyCodeCount) return {};
    return kKeys[keyCode];
}

namespace detail {

int KeyCodeForPress(const SDL_Keysym& key) {
    constexpr int kReturn = 7, kLetterA = 25;
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return kLetterA + (key.sym - SDLK_a);
    if (key.scancode == SDL_SCANCODE_KP_ENTER) return kReturn;
    const bool letterPosition = key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z;
    // A Latin layout's punctuation on a letter position (the French comma
    // where US has M) is no letter.
    if (letterPosition && key.sym < 0x80) return -1;
    for (int code = 0; code < kKeyCodeCount; ++code) {
        const KeyScancodes& k = kKeys[code];
        if (k.first == key.scancode || k.second == key.scancode) return code;
    }
    return -1;
}

} // namespace detail
} // namespace platform
