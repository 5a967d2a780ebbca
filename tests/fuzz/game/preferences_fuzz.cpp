// Any bytes as a preferences file: read without over-reading.
#include "game/rules/game_state.h"
#include "game/preferences.h"

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) return 0;
    ResetGameState();
    ReadPreferencesFrom(file);
    std::fclose(file);
    return 0;
}
