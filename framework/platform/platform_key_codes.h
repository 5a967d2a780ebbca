// The framework's key codes, as KInputState::IsKeyDown and KInputPress name
// keys. Letters and digits run in blocks: kKeyA + 2 is C, kKeyDigit0 + 7 is
// 7. The platform maps each code to the key (platform_keys.cpp).
#pragma once
#include <cstdint>

enum KKey : int32_t {
    kKeyLeft = 0,
    kKeyUp = 1,
    kKeyDown = 2,
    kKeyRight = 3,
    kKeySpace = 4,
    kKeyLeftShift = 5, // either Shift answers for both
    kKeyRightShift = 6,
    kKeyReturn = 7,
    kKeyRightControl = 8, // either Control answers for both
    kKeyLeftControl = 9,
    kKeyF1 = 10, // then F2..F12
    kKeyBackspace = 22,
    kKeyTab = 23,
    kKeyEscape = 24,
    kKeyA = 25, // then B..Z
    kKeyE = kKeyA + 4,
    kKeyM = kKeyA + 12,
    kKeyQ = kKeyA + 16,
    kKeyR = kKeyA + 17,
    kKeyT = kKeyA + 19,
    kKeyZ = 50,
    kKeyDigit0 = 51, // then the main block's 1..9
    kKeyPad0 = 61,   // then keypad 1..9
    kKeyPadMultiply = 71,
    kKeyPadPlus = 72,
    kKeyPadMinus = 73,
    kKeyPadPeriod = 74,
    kKeyPadDivide = 75,
    kKeyPadClear = 76, // keypad 5 with Num Lock off
    kKeyAlt = 77,
    kKeyLeftWindows = 78,
    kKeyRightWindows = 79,
    kKeyNumLock = 80,
    kKeyScrollLock = 81,
    kKeySemicolon = 82, // then = , - . / ` [ \ ] ' (US layout)
    kKeyApostrophe = 92,
    kKeyCodeCount = 93,
};
