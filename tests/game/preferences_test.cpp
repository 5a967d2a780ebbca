// The preferences file: short files, odd values, missing file, and a
// player's own file that wins over the installed one.
#include "support/game_fixture.h"
#include "support/temp_game_dir.h"

#include "game/preferences.h"

#include <cstdlib>

namespace {

class Preferences : public GameTest {
public:
    TempGameDir dir;
    // A player's own file, if any, is looked for inside the test's folder.
    Preferences() { setenv("XDG_CONFIG_HOME", (dir.Path() / "config").c_str(), 1); }
    ~Preferences() override { unsetenv("XDG_CONFIG_HOME"); }
    void Load(const std::string& bytes) {
        ResetGameState();
        dir.Write("prefs", bytes);
        ReadPreferences();
    }
    static std::string Le(int32_t v) {
        auto u = static_cast<uint32_t>(v);
        return {static_cast<char>(u), static_cast<char>(u >> 8), static_cast<char>(u >> 16),
                static_cast<char>(u >> 24)};
    }
};

TEST_F(Preferences, ShortFilesFillOnlyWhatTheyHold) {
    Load("");
    EXPECT_EQ(settings.windowed, 1) << "no bytes: windowed";
    EXPECT_EQ(settings.onlineScores, 0);
    Load(Le(0).substr(0, 3));
    EXPECT_EQ(settings.windowed, 1) << "under four bytes: windowed";
    Load(Le(0));
    EXPECT_EQ(settings.windowed, 0);
    EXPECT_EQ(settings.onlineScores, 0) << "four bytes set only the window mode";
    Load(Le(0) + Le(1).substr(0, 2));
    EXPECT_EQ(settings.onlineScores, 0) << "a part of a field sets nothing";
}

TEST_F(Preferences, EightAndMoreBytesSetBothLittleEndian) {
    Load(Le(0) + Le(0));
    EXPECT_EQ(settings.windowed, 0) << "eight zero bytes: full screen";
    EXPECT_EQ(settings.onlineScores, 0);
    Load(Le(2) + Le(-1) + "x");
    EXPECT_EQ(settings.windowed, 2);
    EXPECT_EQ(settings.onlineScores, -1) << "any non-zero value is on";
    Load(Le(0x01000000) + Le(0x100));
    EXPECT_EQ(settings.windowed, 0x01000000);
    EXPECT_EQ(settings.onlineScores, 0x100);
}

TEST_F(Preferences, APlayersOwnFileIsReadInsteadOfTheInstalledOne) {
    dir.Write("config/orbolo/prefs", Le(0) + Le(1));
    Load(Le(1) + Le(0));
    EXPECT_EQ(settings.windowed, 0);
    EXPECT_EQ(settings.onlineScores, 1);
    dir.Write("config/orbolo/prefs", "");
    Load(Le(0) + Le(1));
    EXPECT_EQ(settings.windowed, 1) << "an empty own file still wins: same format, nothing set";
}

TEST_F(Preferences, AMissingFileMeansWindowedWithoutOnlineScores) {
    ResetGameState();
    dir.Remove("prefs");
    ReadPreferences();
    EXPECT_EQ(settings.windowed, 1);
    EXPECT_EQ(settings.onlineScores, 0);
}

} // namespace
