// The framework's key codes that the game reads.
#pragma once
#include <cstdint>

constexpr int32_t kKeySpace = 4;
constexpr int32_t kKeyReturn = 7;
constexpr int32_t kKeyBackspace = 22;
constexpr int32_t kKeyTab = 23;
constexpr int32_t kKeyA = 25;
constexpr int32_t kKeyE = kKeyA + 4;
constexpr int32_t kKeyQ = kKeyA + 16;
constexpr int32_t kKeyR = kKeyA + 17;
constexpr int32_t kKeyT = kKeyA + 19;
constexpr int32_t kKeyZ = 50;
constexpr int32_t kKeyDigit0 = 51; // then 1..9
constexpr int32_t kKeyPad0 = 61;   // then keypad 1..9
