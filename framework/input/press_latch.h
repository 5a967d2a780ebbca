// Remembers presses that came and went between two polls. Polling sees
// only whether a key or button is down at that moment, so a tap shorter
// than a frame (a touchpad tap, a synthetic key stroke) would be missed.
// Each input keeps its latest press until a poll takes it. A press not
// taken within kFreshMilliseconds is forgotten: the game was not watching
// that input then, and a letter typed during play must not turn up later
// in the name entry.
#pragma once
#include <cstdint>
#include <vector>

class PressLatch {
  public:
    // Longer than any frame, short enough that a press the game was not
    // asking about is gone before it asks.
    static constexpr uint32_t kFreshMilliseconds = 500;

    explicit PressLatch(int inputCount);

    void Press(int input, uint32_t timeMs);
    // True once for a press not yet taken and not older than the freshness
    // limit at nowMs; the press is used up either way.
    bool Take(int input, uint32_t nowMs);
    void Clear();

  private:
    std::vector<bool> pending;
    std::vector<uint32_t> pressedAt;
};
