// The highscore protocol against a real, misbehaving HTTP server on 127.0.0.1:
// only the exact answers count, and every failure is told for what it is.
#include "framework/net/KUrlReader.h"
#include "game/game_state.h"
#include "game/panels/score_protocol.h"
#include "net/loopback_http_server.h"
#include "net/raw_socket_server.h"

#include <gtest/gtest.h>

#include <mutex>
#include <string>

namespace {

struct Misbehaviour {
    Misbehaviour(int status = 200, std::string body = "", std::string location = "")
        : status(status), body(std::move(body)), location(std::move(location)) {}
    int status;
    std::string body;
    std::string location; // sent with a 3xx status
};

class ScoreProtocolTest : public testing::Test {
  protected:
    void SetUp() override {
        auto serve = [this](const httplib::Request&, httplib::Response& response) {
            std::lock_guard<std::mutex> lock(mutex);
            response.status = next.status;
            if (!next.location.empty()) response.set_header("Location", next.location);
            response.set_content(next.body, "text/plain");
        };
        server.server.Get("/highscores/orbolo/ishighscore.php", serve);
        server.server.Get("/highscores/orbolo/scoresubmitter.php", serve);
        for (LoopbackHttpServer* s : {&server, &elsewhere}) {
            s->server.Get("/moved", [](const httplib::Request&, httplib::Response& response) {
                response.set_content("yes", "text/plain");
            });
        }
    }
    void TearDown() override { KUrlReader::SetLimits({}); }

    void Behave(Misbehaviour behaviour) {
        std::lock_guard<std::mutex> lock(mutex);
        next = std::move(behaviour);
    }
    std::string OnlyTarget() {
        auto seen = server.Requests();
        EXPECT_EQ(1u, seen.size());
        return seen.empty() ? "" : seen[0].target;
    }

    LoopbackHttpServer server, elsewhere;
    std::unique_ptr<ScoreTables> tables = MakeServerTables(server.Base());
    std::mutex mutex;
    Misbehaviour next;
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

TEST_F(ScoreProtocolTest, QueryTakesOnlyAnExactYesOrNo) {
    const std::string foreign = "http://localhost:" + std::to_string(elsewhere.Port()) + "/moved";
    const struct {
        Misbehaviour server;
        ScoreReply reply;
    } cases[] = {
        {{200, "yes"}, ScoreReply::Enters},
        {{200, "yes\r\n"}, ScoreReply::Enters},
        {{200, "no\n"}, ScoreReply::TooLow},
        {{200, "yesterday"}, ScoreReply::ServerFault}, // a captive portal's page
        {{200, "ok yes"}, ScoreReply::ServerFault},
        {{200, "YES"}, ScoreReply::ServerFault},
        {{200, ""}, ScoreReply::ServerFault},
        {{500, "yes"}, ScoreReply::ServerFault},
        {{429, "yes"}, ScoreReply::ServerFault},
        {{302, "", "/moved"}, ScoreReply::Enters}, // the same server: followed
        {{302, "", foreign}, ScoreReply::ServerFault},
        {{301, "", server.Base() + "/moved"}, ScoreReply::Enters},
        {{301, "", "https://127.0.0.1:" + std::to_string(server.Port()) + "/moved"},
         ScoreReply::ServerFault}, // another scheme on the same port is another server
        {{304, "yes"}, ScoreReply::ServerFault}, // a redirect to nowhere
    };
    for (const auto& c : cases) {
        Behave(c.server);
        EXPECT_EQ(c.reply, tables->IsHighscore("tseasy", 1230))
            << c.server.status << " \"" << c.server.body << "\" " << c.server.location;
    }
    EXPECT_TRUE(elsewhere.Requests().empty()) << "the request went to another host";
}

TEST_F(ScoreProtocolTest, SubmissionIsSavedOnlyWhenTheServerSaysStored) {
    const struct {
        Misbehaviour server;
        ScoreReply reply;
    } cases[] = {
        {{200, "stored"}, ScoreReply::Stored},      {{200, "stored\n"}, ScoreReply::Stored},
        {{200, "no"}, ScoreReply::TooLow},          {{200, "stored?"}, ScoreReply::ServerFault},
        {{200, "yes"}, ScoreReply::ServerFault},    {{500, "stored"}, ScoreReply::ServerFault},
        {{429, "stored"}, ScoreReply::ServerFault},
    };
    for (const auto& c : cases) {
        Behave(c.server);
        EXPECT_EQ(c.reply, tables->SubmitScore("ANN", "tseasy", 1230))
            << c.server.status << " \"" << c.server.body << "\"";
    }
}

TEST_F(ScoreProtocolTest, ServerThatIsDownOrSilentIsUnreachable) {
    KUrlReader::SetLimits({.connectMilliseconds = 300, .totalMilliseconds = 500});
    RawSocketServer silent; // accepts in the kernel, never answers
    EXPECT_EQ(ScoreReply::Unreachable, MakeServerTables(silent.Base())->IsHighscore("tseasy", 5));
    EXPECT_EQ(ScoreReply::Unreachable,
              MakeServerTables(silent.Base())->SubmitScore("A", "tseasy", 5));
    EXPECT_EQ(ScoreReply::Unreachable,
              MakeServerTables("http://127.0.0.1:1")->IsHighscore("tseasy", 5));
}

TEST_F(ScoreProtocolTest, QueryCarriesTableAndResult) {
    Behave({200, "no"});
    tables->IsHighscore("tahard", 75);
    EXPECT_EQ("/highscores/orbolo/ishighscore.php?gamename=tahard&submtdscore=75", OnlyTarget());
}

TEST_F(ScoreProtocolTest, SubmissionKeysInOrderWithTheBlankEncoded) {
    Behave({200, "stored"});
    tables->SubmitScore("ANN LEE", "tsaverage", 327670);
    EXPECT_EQ("/highscores/orbolo/scoresubmitter.php?name=ANN%20LEE&score=327670&computer=M"
              "&gamename=tsaverage",
              OnlyTarget());
}

TEST_F(ScoreProtocolTest, NoNameOrBlanksAloneGoAsChicken) {
    Behave({200, "stored"});
    tables->SubmitScore("", "taeasy", 75);
    tables->SubmitScore("   ", "taeasy", 75);
    for (const auto& seen : server.Requests())
        EXPECT_EQ("/highscores/orbolo/scoresubmitter.php?name=chicken&score=75&computer=M"
                  "&gamename=taeasy",
                  seen.target);
}

TEST_F(ScoreProtocolTest, UrlThatWouldBeCutIsNotSent) {
    auto longer = MakeServerTables(server.Base() + "/" + std::string(190, 'p'));
    EXPECT_EQ(ScoreReply::BadAddress, longer->IsHighscore("tsaverage", 1230));
    EXPECT_EQ(ScoreReply::BadAddress,
              longer->SubmitScore("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD", "tsaverage", 1230));
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(ScoreProtocolTest, ListingPageSitsUnderTheServersAddress) {
    EXPECT_EQ(server.Base() + "/highscores/orbolo/", tables->HighscoresPageAddress());
}

} // namespace
