#include "game/preferences.h"

#include "framework/display/KSystemTools.h"
#include "game/rules/game_state.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool ReadLittleEndian32(FILE* file, int32_t& value) {
    unsigned char bytes[4];
    if (std::fread(bytes, 1, 4, file) != 4) return false;
    value = static_cast<int32_t>(
        static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
        static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
    return true;
}

// The player's own copy: $XDG_CONFIG_HOME/orbolo/prefs, ~/.config/orbolo/prefs
// when that variable is unset or not an absolute path. Empty without a home.
std::string PlayersPreferencesPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/') return std::string(config) + "/orbolo/prefs";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.config/orbolo/prefs";
    return {};
}

} // namespace

void ReadPreferencesFrom(FILE* file) {
    if (ReadLittleEndian32(file, settings.windowed))
        ReadLittleEndian32(file, settings.onlineScores);
}

void ReadPreferencesFrom(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return;
    ReadPreferencesFrom(file);
    std::fclose(file);
}

void ReadPreferences() {
    // The installed file is read-only for players; their own one wins.
    std::string own = PlayersPreferencesPath();
    if (FILE* file = own.empty() ? nullptr : std::fopen(own.c_str(), "rb")) {
        ReadPreferencesFrom(file);
        std::fclose(file);
        return;
    }
    ReadPreferencesFrom(KSystemTools::MakePath("prefs"));
}
