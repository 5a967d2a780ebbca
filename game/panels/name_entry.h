// The highscore name entry's keyboard rules, apart from the dialog that
// draws it: which key counts this frame and what it does to the name.
#pragma once
#include "game/panels/key_codes.h"

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

// Asks A..Z, blank, Enter and Backspace in that order and returns the last
// one down, so Backspace wins over Enter, Enter over blank and blank over
// letters; -1 when none is down.
int32_t PickNameKey(bool (*isKeyDown)(int32_t keyCode));

// Applies one key to the name: a letter or blank is added below the length
// limit, Backspace removes the last character. Other keys do nothing.
NameKeyResult ApplyNameKey(NameBuffer& name, int32_t keyCode);

// The keys to wait on after a character or Backspace, so one press enters
// one character: A..Z, blank, Backspace, Enter.
std::array<int32_t, 29> NameEntryKeys();
