#include "game/rules/random.h"

namespace {

uint64_t generatorState = 0;
int (*randomSource)() = nullptr;

int SplitMix64Draw() {
    uint64_t z = (generatorState += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<int>(z >> 33);
}

} // namespace

void SeedGameRandom(uint64_t seed) {
    generatorState = seed;
}

uint64_t GameRandomState() {
    return generatorState;
}

int GameRand() {
    return randomSource ? randomSource() : SplitMix64Draw();
}

void SetRandomSource(int (*source)()) {
    randomSource = source;
}
