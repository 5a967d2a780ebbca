// The tables the game keeps itself: the server's store and rules on real
// SQLite files in a folder of the test's, and the listing page beside them.
#include "game/panels/local_score_tables.h"

#include "game/replay/game_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

fs::path Fresh(const std::string& name) {
    fs::path dir = fs::path(testing::TempDir()) / name;
    fs::remove_all(dir);
    return dir;
}

std::string Read(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

TEST(LocalScoreTables, KeepsTheBestTenOfEachTableAndListsThem) {
    fs::path dir = Fresh("player") / "orbolo"; // made when first needed
    auto tables = MakeLocalTables(dir.string());
    EXPECT_EQ(ScoreReply::Enters, tables->IsHighscore("tseasy", 327670));
    EXPECT_EQ(ScoreReply::Stored, tables->SubmitScore("ANN LEE", "tseasy", 327670));
    EXPECT_EQ(ScoreReply::Stored, tables->SubmitScore("  ", "taeasy", 75)); // as chicken
    for (int i = 1; i <= 9; ++i)
        EXPECT_EQ(ScoreReply::Stored, tables->SubmitScore("BOB", "tseasy", 1000 * i));
    EXPECT_EQ(ScoreReply::TooLow, tables->IsHighscore("tseasy", 1000));
    EXPECT_EQ(ScoreReply::TooLow, tables->SubmitScore("CY", "tseasy", 1000)); // trimmed at once
    EXPECT_EQ(ScoreReply::Enters, tables->IsHighscore("tshard", 0));

    std::string page = tables->HighscoresPageAddress();
    EXPECT_EQ((dir / "highscores.html").string(), page);
    std::string html = Read(page);
    EXPECT_NE(std::string::npos, html.find("ANN LEE"));
    EXPECT_NE(std::string::npos, html.find("chicken"));
    EXPECT_EQ(std::string::npos, html.find("CY"));
    EXPECT_NE(std::string::npos, html.find("<title>Orbolo highscores on this computer</title>"));
    EXPECT_EQ(std::string::npos, html.find("nline"));
    EXPECT_NE(std::string::npos, html.find("--score-server"));

    // Another player's folder holds tables of its own; the same folder
    // opened again holds what was written.
    EXPECT_EQ(ScoreReply::Enters,
              MakeLocalTables(Fresh("other").string())->IsHighscore("tseasy", 10));
    EXPECT_EQ(ScoreReply::TooLow, MakeLocalTables(dir.string())->IsHighscore("tseasy", 10));
}

TEST(LocalScoreTables, AnEnteredGameKeepsItsReplay) {
    setenv("XDG_DATA_HOME", Fresh("data").c_str(), 1); // where the last game goes
    BeginRecordedGame();
    RecordAction(3);
    EndRecordedGame();
    ASSERT_FALSE(LastGameReplay().empty());
    fs::path dir = Fresh("replays");
    EXPECT_EQ(ScoreReply::Stored, MakeLocalTables(dir.string())->SubmitScore("ANN", "tahard", 9));
    fs::directory_iterator files(dir / "replays");
    ASSERT_NE(files, fs::directory_iterator{});
    const fs::directory_entry kept = *files;
    EXPECT_EQ(kept.path().filename().string().rfind("tahard-", 0), 0u);
    const std::string bytes = Read(kept.path().string());
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), LastGameReplay());
}

TEST(LocalScoreTables, FolderThatCannotBeMadeIsAFaultNotACrash) {
    fs::path blocked = Fresh("blocked");
    std::ofstream(blocked.string()) << "a file where the folder should be";
    auto tables = MakeLocalTables((blocked / "orbolo").string());
    EXPECT_EQ(ScoreReply::StoreFault, tables->IsHighscore("tseasy", 10));
    EXPECT_EQ(ScoreReply::StoreFault, tables->SubmitScore("ANN", "tseasy", 10));
    EXPECT_EQ("", tables->HighscoresPageAddress());
}

} // namespace
