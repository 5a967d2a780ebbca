#include "game/preferences.h"

#include "framework/display/KSystemTools.h"
#include "game/rules/game_state.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Two 32-bit switches.
constexpr long kFileSize = 8;

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

namespace {

// A file of another size reads as the format says (a short one turns
// online highscores off), and is named on stderr, since a player who made
// it by hand would otherwise not know why.
void ReadNamedFile(FILE* file, const char* path) {
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long size = std::ftell(file);
        if (size != kFileSize) {
            std::fprintf(stderr, "orbolo: %s holds %ld bytes, not %ld: %s\n", path, size, kFileSize,
                         size < kFileSize ? "the switches missing keep their defaults (windowed, "
                                            "online highscores off)"
                                          : "the bytes past the two switches are ignored");
        }
        std::rewind(file);
    }
    ReadPreferencesFrom(file);
}

} // namespace

void ReadPreferencesFrom(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) return;
    ReadNamedFile(file, path);
    std::fclose(file);
}

void ReadPreferences() {
    // The installed file is read-only for players; their own one wins.
    std::string own = PlayersPreferencesPath();
    if (FILE* file = own.empty() ? nullptr : std::fopen(own.c_str(), "rb")) {
        ReadNamedFile(file, own.c_str());
        std::fclose(file);
        return;
    }
    ReadPreferencesFrom(KSystemTools::MakePath("prefs"));
}
