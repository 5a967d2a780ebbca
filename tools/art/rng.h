// A small fixed-seed generator: the art must come out the same on every run.
#pragma once

#include <cstdint>

namespace art {

class Rng {
  public:
    explicit Rng(std::uint32_t seed) : state_(seed) {}
    float next() { // 0 .. 1
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / 16777216.0f;
    }
    float range(float lo, float hi) { return lo + (hi - lo) * next(); }

  private:
    std::uint32_t state_;
};

} // namespace art
