// The highscore name entry's keyboard rules, apart from the dialog that
// draws it: what a typed key does to the name.
#pragma once
#include "framework/input/KInputState.h"

#include <array>
#include <cstdint>

constexpr int kNameMaxLength = 30;

// Capitals and blanks, zero-terminated; the bytes past the end stay zero.
struct NameBuffer {
    std::array<char, 32> text{};
    int16_t length = 0;
};

enum class NameKeyResult {
    None,    // no key of the entry is down
    Changed, // a character or Backspace was taken (maybe with no effect)
    Enter,   // the entry is finished
};

// Applies one key to the name: a letter or blank is added below the length
// limit, Backspace removes the last character, Return finishes it; a name
// of blanks alone is then emptied, since it names nobody. Other keys do
// nothing.
NameKeyResult ApplyNameKey(NameBuffer& name, int32_t keyCode);
