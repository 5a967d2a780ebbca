#include "framework/input/press_latch.h"

PressLatch::PressLatch(int inputCount) : pending(inputCount, false), pressedAt(inputCount, 0) {}

void PressLatch::Press(int input, uint32_t timeMs) {
    if (input < 0 || input >= static_cast<int>(pending.size())) return;
    pending[input] = true;
    pressedAt[input] = timeMs;
}

bool PressLatch::Take(int input, uint32_t nowMs) {
    if (input < 0 || input >= static_cast<int>(pending.size()) || !pending[input]) return false;
    pending[input] = false;
    // Unsigned, so a clock that wrapped still gives the true age.
    return nowMs - pressedAt[input] <= kFreshMilliseconds;
}

void PressLatch::Clear() {
    pending.assign(pending.size(), false);
}
