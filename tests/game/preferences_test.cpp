// The preferences file: short files, odd values, missing file, and a
// player's own file that wins over the installed one.
#include "support/game_fixture.h"
#include "support/temp_game_dir.h"

#include "game/preferences.h"

#include <cstdlib>

namespace {

std::string Le(int32_t v) {
    auto u = static_cast<uint32_t>(v);
    return {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
}

TEST(Preferences, FieldsAreReadLittleEndianOnlyWhenWhole) {
    TempGameDir dir;
    // A player's own file, if any, is looked for inside the test's folder.
    setenv("XDG_CONFIG_HOME", (dir.Path() / "config").c_str(), 1);
    struct Case {
        std::string bytes; // nullopt-like: "missing" removes the file
        int32_t windowed, onlineScores;
    } cases[] = {{"missing", 1, 0},           {"", 1, 0}, // no file or no bytes: windowed
                 {Le(0).substr(0, 3), 1, 0},  {Le(0), 0, 0}, // four bytes: the window mode only
                 {Le(0) + Le(1).substr(0, 2), 0, 0},         // part of a field sets nothing
                 {Le(0) + Le(0), 0, 0},       {Le(2) + Le(-1) + "x", 2, -1},
                 {Le(0x01000000) + Le(0x100), 0x01000000, 0x100}};
    for (const Case& c : cases) {
        ResetGameState();
        if (c.bytes == "missing") {
            dir.Remove("prefs");
        } else {
            dir.Write("prefs", c.bytes);
        }
        ReadPreferences();
        EXPECT_EQ(settings.windowed, c.windowed) << c.bytes.size() << " bytes";
        EXPECT_EQ(settings.onlineScores, c.onlineScores) << c.bytes.size() << " bytes";
    }
}

TEST(Preferences, APlayersOwnFileIsReadInsteadOfTheInstalledOne) {
    TempGameDir dir;
    setenv("XDG_CONFIG_HOME", (dir.Path() / "config").c_str(), 1);
    const struct {
        std::string own, installed;
        int32_t windowed, onlineScores;
    } cases[] = {{Le(0) + Le(1), Le(1) + Le(0), 0, 1},
                 {"", Le(0) + Le(1), 1, 0}}; // an empty own file still wins
    for (const auto& c : cases) {
        ResetGameState();
        dir.Write("config/orbolo/prefs", c.own);
        dir.Write("prefs", c.installed);
        ReadPreferences();
        EXPECT_EQ(settings.windowed, c.windowed);
        EXPECT_EQ(settings.onlineScores, c.onlineScores);
    }
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
