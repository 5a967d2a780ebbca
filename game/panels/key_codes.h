// The framework's key codes that the modal screens read.
#pragma once
#include <cstdint>

constexpr int32_t kKeySpace = 4;
constexpr int32_t kKeyReturn = 7;
constexpr int32_t kKeyBackspace = 22;
constexpr int32_t kKeyA = 25;
constexpr int32_t kKeyZ = 50;
