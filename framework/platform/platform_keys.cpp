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

SDL_Scancode Plus(SDL_Scancode first, int offset) {
    return static_cast<SDL_Scancode>(first + offset);
}

// Indexed by key code. SDL counts digits from 1 with 0 last.
std::array<KeyScancodes, kKeyCodeCount> KeyTable() {
    std::array<KeyScancodes, kKeyCodeCount> t{};
    t[kKeyLeft] = One(SDL_SCANCODE_LEFT);
    t[kKeyUp] = One(SDL_SCANCODE_UP);
    t[kKeyDown] = One(SDL_SCANCODE_DOWN);
    t[kKeyRight] = One(SDL_SCANCODE_RIGHT);
    t[kKeySpace] = One(SDL_SCANCODE_SPACE);
    t[kKeyLeftShift] = t[kKeyRightShift] = Both(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT);
    t[kKeyReturn] = One(SDL_SCANCODE_RETURN);
    t[kKeyLeftControl] = t[kKeyRightControl] = Both(SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL);
    for (int i = 0; i < 12; ++i)
        t[kKeyF1 + i] = One(Plus(SDL_SCANCODE_F1, i));
    t[kKeyBackspace] = One(SDL_SCANCODE_BACKSPACE);
    t[kKeyTab] = One(SDL_SCANCODE_TAB);
    t[kKeyEscape] = One(SDL_SCANCODE_ESCAPE);
    for (int i = 0; i < 26; ++i)
        t[kKeyA + i] = One(Plus(SDL_SCANCODE_A, i));
    t[kKeyDigit0] = One(SDL_SCANCODE_0);
    t[kKeyPad0] = One(SDL_SCANCODE_KP_0);
    for (int i = 1; i <= 9; ++i) {
        t[kKeyDigit0 + i] = One(Plus(SDL_SCANCODE_1, i - 1));
        t[kKeyPad0 + i] = One(Plus(SDL_SCANCODE_KP_1, i - 1));
    }
    t[kKeyPadMultiply] = One(SDL_SCANCODE_KP_MULTIPLY);
    t[kKeyPadPlus] = One(SDL_SCANCODE_KP_PLUS);
    t[kKeyPadMinus] = One(SDL_SCANCODE_KP_MINUS);
    t[kKeyPadPeriod] = One(SDL_SCANCODE_KP_PERIOD);
    t[kKeyPadDivide] = One(SDL_SCANCODE_KP_DIVIDE);
    t[kKeyPadClear] = One(SDL_SCANCODE_KP_5);
    t[kKeyAlt] = Both(SDL_SCANCODE_LALT, SDL_SCANCODE_RALT);
    t[kKeyLeftWindows] = One(SDL_SCANCODE_LGUI);
    t[kKeyRightWindows] = One(SDL_SCANCODE_RGUI);
    t[kKeyNumLock] = One(SDL_SCANCODE_NUMLOCKCLEAR);
    t[kKeyScrollLock] = One(SDL_SCANCODE_SCROLLLOCK);
    const SDL_Scancode punctuation[] = {
        SDL_SCANCODE_SEMICOLON,    SDL_SCANCODE_EQUALS,      SDL_SCANCODE_COMMA,
        SDL_SCANCODE_MINUS,        SDL_SCANCODE_PERIOD,      SDL_SCANCODE_SLASH,
        SDL_SCANCODE_GRAVE,        SDL_SCANCODE_LEFTBRACKET, SDL_SCANCODE_BACKSLASH,
        SDL_SCANCODE_RIGHTBRACKET, SDL_SCANCODE_APOSTROPHE};
    for (int i = 0; i <= kKeyApostrophe - kKeySemicolon; ++i)
        t[kKeySemicolon + i] = One(punctuation[i]);
    return t;
}

const std::array<KeyScancodes, kKeyCodeCount> kKeys = KeyTable();

} // namespace

KeyScancodes ScancodesForKeyCode(int keyCode) {
    if (keyCode < 0 || keyCode >= kKeyCodeCount) return {};
    return kKeys[keyCode];
}

namespace detail {

int KeyCodeForPress(const SDL_Keysym& key) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return kKeyA + (key.sym - SDLK_a);
    if (key.scancode == SDL_SCANCODE_KP_ENTER) return kKeyReturn;
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
