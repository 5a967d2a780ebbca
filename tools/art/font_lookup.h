// Where the fonts the art is set in live on this system, asked of
// fontconfig rather than assumed, as every distribution files them elsewhere.
#pragma once

#include <string>

namespace art {

// The file of the upright, normal-width face of `family` at `weight`
// (fontconfig's FC_WEIGHT_* scale). When the system has no such face, ends
// the program with a message naming the font and the package that has it.
std::string findFontFile(const char* family, int weight);

} // namespace art
