#include "game/preferences.h"

#include "framework/display/KSystemTools.h"
#include "game/game_state.h"

#include <cstdint>
#include <cstdio>

namespace {

bool ReadLittleEndian32(FILE* file, int32_t& value) {
    unsigned char bytes[4];
    if (std::fread(bytes, 1, 4, file) != 4) return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                                 static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
    return true;
}

} // namespace

void ReadPreferencesFrom(FILE* file) {
    if (ReadLittleEndian32(file, settings.windowed)) ReadLittleEndian32(file, settings.onlineScores);
}

void ReadPreferencesFrom(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return;
    ReadPreferencesFrom(file);
    std::fclose(file);
}

void ReadPreferences() { ReadPreferencesFrom(KSystemTools::MakePath("prefs")); }
