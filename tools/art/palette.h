// The game's colours: night-blue field, warm gold and white lettering, and
// the eight ball colours.
#pragma once

#include "color.h"

namespace art::palette {

constexpr Color kNightTop = rgb(0x14295c);
constexpr Color kNightBottom = rgb(0x050b1f);
constexpr Color kNightDeep = rgb(0x030712);
constexpr Color kPlateTop = rgb(0x203a7a);
constexpr Color kPlateBottom = rgb(0x0d1a40);
constexpr Color kGoldLight = rgb(0xfff0b8);
constexpr Color kGold = rgb(0xf3bf4a);
constexpr Color kGoldDeep = rgb(0xb07418);
constexpr Color kWhite = rgb(0xffffff);
constexpr Color kBlack = rgb(0x000000);
constexpr Color kIce = rgb(0x9fd8ff);

// Balls by code 1..8; index 0 unused. Code 8 is the precious black ball.
constexpr Color kBall[9] = {
    rgb(0x000000), rgb(0xe3222e), rgb(0xff8a00), rgb(0xffe23a), rgb(0x36c44a),
    rgb(0x19c6dc), rgb(0x2f5bff), rgb(0xc23be8), rgb(0x26262e),
};

} // namespace art::palette
