// The highscore protocol against a real, misbehaving HTTP server on 127.0.0.1:
// only the exact answers count, and every failure is told for what it is.
// The requests' exact form is checked end to end by panel_modal_screens_test
// (query and submission, blanks-only name) and game_bot_e2e (the real server).
#include "framework/net/KUrlReader.h"
#include "game/rules/game_state.h"
#include "game/panels/score_protocol.h"
#include "net/loopback_servers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using Answer = LoopbackHttpServer::Answer;

class ScoreProtocolTest : public testing::Test {
  protected:
    void SetUp() override {
        server.ServeScorePages(true);
        for (LoopbackHttpServer* s : {&server, &elsewhere})
            s->server.Get("/moved", [](const httplib::Request&, httplib::Response& response) {
                response.set_content("yes", "text/plain");
            });
    }
    void TearDown() override { KUrlReader::SetLimits({}); }

    LoopbackHttpServer server, elsewhere;
    std::unique_ptr<ScoreTables> tables = MakeServerTables(server.Base());
};

TEST(ScoreTables, SixTablesByModeAndDifficulty) {
    std::string names;
    for (int16_t mode : {TimeAttack, TopScore})
        for (int16_t difficulty : {1, 2, 3})
            names += HighscoreTableName(mode, difficulty) + std::string(" ");
    EXPECT_EQ("taeasy taaverage tahard tseasy tsaverage tshard ", names);
    EXPECT_EQ(nullptr, HighscoreTableName(Puzzle, 1));
    EXPECT_EQ(nullptr, HighscoreTableName(TopScore, 0));
    EXPECT_EQ(nullptr, HighscoreTableName(TopScore, 4));
}

TEST_F(ScoreProtocolTest, QueryTakesOnlyAnExactYesOrNoFromTheSameServer) {
    const std::string port = std::to_string(server.Port());
    const struct {
        Answer answer;
        ScoreReply reply;
    } cases[] = {
        {{200, "yes\r\n"}, ScoreReply::Enters},
        {{200, "no\n"}, ScoreReply::TooLow},
        {{200, "yesterday"}, ScoreReply::ServerFault}, // a captive portal's page
        {{200, "YES"}, ScoreReply::ServerFault},
        {{200, ""}, ScoreReply::ServerFault},
        {{500, "yes"}, ScoreReply::ServerFault},
        {{302, "", "/moved"}, ScoreReply::Enters}, // the same server: followed
        {{301, "", server.Base() + "/moved"}, ScoreReply::Enters},
        {{302, "", "http://localhost:" + std::to_string(elsewhere.Port()) + "/moved"},
         ScoreReply::ServerFault},
        {{301, "", "https://127.0.0.1:" + port + "/moved"},
         ScoreReply::ServerFault}, // another scheme on the same port is another server
        {{304, "yes"}, ScoreReply::ServerFault}, // a redirect to nowhere
    };
    for (const auto& c : cases) {
        server.Set(c.answer);
        EXPECT_EQ(c.reply, tables->IsHighscore("tseasy", 1230))
            << c.answer.status << " \"" << c.answer.body << "\" " << c.answer.location;
    }
    EXPECT_TRUE(elsewhere.Requests().empty()) << "the request went to another host";
}

TEST_F(ScoreProtocolTest, SubmissionIsSavedOnlyWhenTheServerSaysStored) {
    const struct {
        Answer answer;
        ScoreReply reply;
    } cases[] = {{{200, "stored\n"}, ScoreReply::Stored},
                 {{200, "no"}, ScoreReply::TooLow},
                 {{200, "stored?"}, ScoreReply::ServerFault},
                 {{200, "yes"}, ScoreReply::ServerFault},
                 {{429, "stored"}, ScoreReply::ServerFault}};
    for (const auto& c : cases) {
        server.Set(c.answer);
        EXPECT_EQ(c.reply, tables->SubmitScore("ANN", "tseasy", 1230))
            << c.answer.status << " \"" << c.answer.body << "\"";
    }
}

// 503 stored nothing: the submission goes again once, after the wait the
// server asked for (a second when it named none), when that fits the
// player's three seconds; otherwise the server had a problem.
TEST_F(ScoreProtocolTest, BusyServerGetsTheSubmissionOnceMoreAfterItsWait) {
    const struct {
        std::string retryAfter;
        ScoreReply reply;
        size_t requests;
    } cases[] = {{"1", ScoreReply::Stored, 2},
                 {"", ScoreReply::Stored, 2},
                 {"5", ScoreReply::ServerFault, 1}};
    for (const auto& c : cases) {
        server.Set({200, "stored\n"}, Answer{503, "busy", "", c.retryAfter});
        const size_t before = server.Requests().size();
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(c.reply, tables->SubmitScore("ANN", "tseasy", 1230)) << c.retryAfter;
        auto took = std::chrono::steady_clock::now() - start;
        EXPECT_EQ(c.requests, server.Requests().size() - before) << c.retryAfter;
        if (c.requests == 2) {
            EXPECT_GE(took, std::chrono::seconds(1)) << c.retryAfter;
        }
        EXPECT_LT(took, std::chrono::seconds(3)) << c.retryAfter;
    }
}

TEST_F(ScoreProtocolTest, ServerThatIsDownOrSilentIsUnreachable) {
    KUrlReader::SetLimits({.connectMilliseconds = 300, .totalMilliseconds = 500});
    RawSocketServer silent;
    EXPECT_EQ(ScoreReply::Unreachable, MakeServerTables(silent.Base())->IsHighscore("tseasy", 5));
    EXPECT_EQ(ScoreReply::Unreachable,
              MakeServerTables(silent.Base())->SubmitScore("A", "tseasy", 5));
    EXPECT_EQ(ScoreReply::Unreachable,
              MakeServerTables("http://127.0.0.1:1")->IsHighscore("tseasy", 5));
}

// A server from before verified games answers newgame.php 404: the game
// stops asking and plays as always. One that cannot be reached now may be
// asked again for the next game.
TEST_F(ScoreProtocolTest, GameTicketsOnlyFromAServerThatHandsThemOut) {
    bool askAgain = true;
    EXPECT_FALSE(tables->FetchGameTicket(askAgain));
    EXPECT_FALSE(askAgain);
    KUrlReader::SetLimits({.connectMilliseconds = 300, .totalMilliseconds = 500});
    EXPECT_FALSE(MakeServerTables("http://127.0.0.1:1")->FetchGameTicket(askAgain));
    EXPECT_TRUE(askAgain);
}

TEST_F(ScoreProtocolTest, UrlThatWouldBeCutIsNotSentAndTheListingSitsUnderTheServer) {
    auto longer = MakeServerTables(server.Base() + "/" + std::string(190, 'p'));
    EXPECT_EQ(ScoreReply::BadAddress, longer->IsHighscore("tsaverage", 1230));
    EXPECT_EQ(ScoreReply::BadAddress,
              longer->SubmitScore("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD", "tsaverage", 1230));
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_EQ(server.Base() + "/highscores/orbolo/", tables->HighscoresPageAddress());
}

} // namespace
