#include "game/rules/random.h"

#include <cstdlib>

namespace {
int (*randomSource)() = nullptr;
}

int GameRand() {
    return randomSource ? randomSource() : std::rand();
}

void SetRandomSource(int (*source)()) {
    randomSource = source;
}
