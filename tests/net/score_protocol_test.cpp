// The highscore protocol against a recording server on 127.0.0.1.
#include "game/game_state.h"
#include "game/panels/score_protocol.h"
#include "net/loopback_http_server.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>

namespace {

class ScoreProtocolTest : public testing::Test {
  protected:
    void SetUp() override {
        ResetGameState();
        ServeScorePages(server, mutex, answer);
        SetScoreServerForTests(server.Base().c_str());
    }
    void TearDown() override { SetScoreServerForTests(nullptr); }

    void Answer(const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex);
        answer = text;
    }
    std::string OnlyTarget() {
        auto seen = server.Requests();
        EXPECT_EQ(1u, seen.size());
        return seen.empty() ? "" : seen[0].target;
    }

    LoopbackHttpServer server;
    std::mutex mutex;
    std::string answer = "no";
};

TEST(ScoreTables, SixTablesByModeAndDifficulty) {
    EXPECT_STREQ("taeasy", HighscoreTableName(TimeAttack, 1));
    EXPECT_STREQ("taaverage", HighscoreTableName(TimeAttack, 2));
    EXPECT_STREQ("tahard", HighscoreTableName(TimeAttack, 3));
    EXPECT_STREQ("tseasy", HighscoreTableName(TopScore, 1));
    EXPECT_STREQ("tsaverage", HighscoreTableName(TopScore, 2));
    EXPECT_STREQ("tshard", HighscoreTableName(TopScore, 3));
    EXPECT_EQ(nullptr, HighscoreTableName(Puzzle, 1));
    EXPECT_EQ(nullptr, HighscoreTableName(TopScore, 0));
    EXPECT_EQ(nullptr, HighscoreTableName(TopScore, 4));
}

TEST_F(ScoreProtocolTest, QueryCarriesTableAndSecondsLeftInTimeAttack) {
    settings.gameMode = TimeAttack;
    counters.timeLeft = 75;
    counters.score = 999;
    IsHighscore("tahard");
    EXPECT_EQ("/highscores/orbolo/ishighscore.php?gamename=tahard&submtdscore=75", OnlyTarget());
}

TEST_F(ScoreProtocolTest, QueryCarriesDisplayedPointsInTopScore) {
    settings.gameMode = TopScore;
    counters.score = 123;
    counters.timeLeft = 5;
    IsHighscore("tseasy");
    EXPECT_EQ("/highscores/orbolo/ishighscore.php?gamename=tseasy&submtdscore=1230", OnlyTarget());
}

TEST_F(ScoreProtocolTest, OnlyALowerCaseYesAnywhereAccepts) {
    settings.gameMode = TopScore;
    for (auto [body, accepted] : {std::pair{"yes", true},
                                  {"ok yes", true},
                                  {"yesterday", true},
                                  {"YES", false},
                                  {"Yes", false},
                                  {"no", false},
                                  {"", false}}) {
        Answer(body);
        EXPECT_EQ(accepted, IsHighscore("tseasy")) << "answer \"" << body << "\"";
    }
}

TEST_F(ScoreProtocolTest, ServerThatIsDownOrLostMeansNo) {
    Answer("yes");
    settings.gameMode = TopScore;
    SetScoreServerForTests((server.Base() + "/elsewhere").c_str()); // a 404 page
    EXPECT_FALSE(IsHighscore("tseasy"));
    SetScoreServerForTests("http://127.0.0.1:1");
    EXPECT_FALSE(IsHighscore("tseasy"));
}

TEST_F(ScoreProtocolTest, SubmissionKeysInOrderWithTheBlankEncoded) {
    settings.gameMode = TopScore;
    counters.score = 123;
    SubmitScore("ANN LEE", "tsaverage");
    EXPECT_EQ("/highscores/orbolo/scoresubmitter.php?name=ANN%20LEE&score=1230&computer=M"
              "&gamename=tsaverage",
              OnlyTarget());
}

TEST_F(ScoreProtocolTest, EmptyNameGoesAsChicken) {
    settings.gameMode = TimeAttack;
    counters.timeLeft = 75;
    SubmitScore("", "taeasy");
    EXPECT_EQ("/highscores/orbolo/scoresubmitter.php?name=chicken&score=75&computer=M"
              "&gamename=taeasy",
              OnlyTarget());
}

TEST_F(ScoreProtocolTest, PuzzleNeverContactsTheServer) {
    Answer("yes");
    settings.gameMode = Puzzle;
    EXPECT_FALSE(IsHighscore("taeasy"));
    SubmitScore("ANN", "taeasy");
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(ScoreProtocolTest, UrlThatWouldBeCutIsNotSent) {
    Answer("yes");
    settings.gameMode = TopScore;
    std::string longBase = server.Base() + "/" + std::string(190, 'p');
    SetScoreServerForTests(longBase.c_str());
    EXPECT_FALSE(IsHighscore("tsaverage"));
    SubmitScore("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD", "tsaverage");
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(ScoreProtocolTest, ListingPageSitsUnderTheServersAddress) {
    EXPECT_EQ(server.Base() + "/highscores/orbolo/", HighscoresPageAddress());
}

} // namespace
