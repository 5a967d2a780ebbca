// The real orbolo-scored on a loopback port: the game's two requests, every
// validation rule, ranking and trimming, the listing page, limits, load.
#include "server/score_server_process.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::string kQuery = "/highscores/orbolo/ishighscore.php";
const std::string kSubmit = "/highscores/orbolo/scoresubmitter.php";
const std::vector<std::string> kGenerous = {"--submissions-per-minute", "0"};

struct Reply {
    int status = 0;
    std::string body;
};

Reply Fetch(const ScoreServerProcess& server, const std::string& target) {
    auto result = server.Client().Get(target);
    if (!result) return {};
    return {result->status, result->body};
}

std::string Query(const ScoreServerProcess& server, const std::string& table, int score) {
    return Fetch(server, kQuery + "?gamename=" + table + "&submtdscore=" + std::to_string(score))
        .body;
}

// Asks first, as the game does: the server takes only what it was asked about.
Reply Submit(const ScoreServerProcess& server, const std::string& name, int score,
             const std::string& table) {
    Query(server, table, score);
    return Fetch(server, kSubmit + "?name=" + name + "&score=" + std::to_string(score) +
                             "&computer=M&gamename=" + table);
}

// Rows as "table:name:score", best first within each table, read straight
// from the database the server writes.
std::vector<std::string> StoredRows(const ScoreServerProcess& server) {
    sqlite3* db = nullptr;
    std::vector<std::string> rows;
    if (sqlite3_open_v2(server.DatabasePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT board || ':' || name || ':' || score FROM scores"
                           " ORDER BY board, score DESC, id",
                           -1, &s, nullptr);
        while (s && sqlite3_step(s) == SQLITE_ROW) {
            rows.push_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        }
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return rows;
}

TEST(ScoreServer, AnswersTheGamesTwoRequests) {
    ScoreServerProcess server(kGenerous);
    EXPECT_EQ("yes", Query(server, "taeasy", 0)); // an empty table takes anyone
    Reply stored = Submit(server, "ANN%20LEE", 75, "taeasy");
    EXPECT_EQ(200, stored.status);
    EXPECT_EQ(std::string::npos, stored.body.find("yes"));
    // The game's name for nobody, the best TopScore result it can send.
    EXPECT_EQ("stored\n", Submit(server, "chicken", 327670, "tshard").body);
    EXPECT_EQ(std::vector<std::string>({"taeasy:ANN LEE:75", "tshard:chicken:327670"}),
              StoredRows(server));
    EXPECT_NE(std::string::npos, Fetch(server, "/highscores/orbolo/").body.find(">327670</td>"));
}

TEST(ScoreServer, RefusesEveryMalformedQuery) {
    ScoreServerProcess server(kGenerous);
    for (const char* query :
         {"", "?gamename=taeasy", "?submtdscore=5", "?gamename=TAEASY&submtdscore=5",
          "?gamename=taeasy&submtdscore=-1", "?gamename=taeasy&submtdscore=32768",
          "?gamename=taeasy&submtdscore=12a", "?gamename=taeasy&submtdscore=+5",
          "?gamename=taeasy&submtdscore=%205", "?gamename=taeasy&submtdscore=",
          "?gamename=taeasy&submtdscore=100000", "?gamename=tseasy&submtdscore=327680",
          "?gamename=tseasy&submtdscore=15", "?gamename=taeasy&submtdscore=5&submtdscore=6",
          "?gamename=taeasy&gamename=tahard&submtdscore=5",
          "?gamename=taeasy&submtdscore=5&extra=1",
          "?gamename=taeasy'%20OR%20'1'='1&submtdscore=5"}) {
        Reply reply = Fetch(server, kQuery + query);
        EXPECT_EQ(400, reply.status) << query;
        EXPECT_EQ(std::string::npos, reply.body.find("yes")) << query;
    }
    EXPECT_EQ("yes", Query(server, "tsaverage", 327670));
}

TEST(ScoreServer, RefusesEveryMalformedSubmissionAndStoresNothing) {
    ScoreServerProcess server(kGenerous);
    const std::string ok = "&score=5&computer=M&gamename=taeasy";
    for (const std::string& query : std::vector<std::string>{
             "?name=" + ok.substr(1),                                 // empty name
             "?name=%20%20" + ok,                                     // blanks alone
             "?name=" + std::string(31, 'A') + ok,                    // 31 letters
             "?name=ann" + ok,                                        // lower case
             "?name=ANN1" + ok,                                       // digit
             "?name=ANN%00" + ok,                                     // NUL byte
             "?name=%C3%84NN" + ok,                                   // non-ASCII letter
             "?name=ANN%0ALEE" + ok,                                  // line break
             "?name=ANN&score=5&gamename=taeasy",                     // no computer
             "?name=ANN&score=5&computer=&gamename=taeasy",           // empty computer
             "?name=ANN&score=32768&computer=M&gamename=taeasy",      // score too large
             "?name=ANN&score=-5&computer=M&gamename=taeasy",         // negative
             "?name=ANN&score=5&computer=M&gamename=tsbest",          // unknown table
             "?name=ANN&score=5&computer=M&gamename=taeasy&name=BOB", // key twice
             "?name=ANN&score=5&computer=M&gamename=taeasy&x=1",      // extra key
             "?name=ANN&score=5&computer=M",                          // no table
             // SQL and markup never pass the name rule, so they never reach
             // the database or the page.
             "?name=ROBERT'%29%3B%20DROP%20TABLE%20scores%3B--" + ok,
             "?name=%3Cscript%3EALERT%3C%2Fscript%3E" + ok,
             "?name=A%22%20ONMOUSEOVER%3D%22X" + ok,
             "?name=ANN&score=5&computer=M%27%3B--&gamename=taeasy",
         }) {
        Reply reply = Fetch(server, kSubmit + query);
        EXPECT_EQ(400, reply.status) << query;
    }
    EXPECT_TRUE(StoredRows(server).empty());
    // The longest good name, the largest score and an encoded blank pass.
    EXPECT_EQ(200, Submit(server, std::string(30, 'Z'), 32767, "tahard").status);
    EXPECT_EQ(200, Submit(server, "ANN%20LEE", 0, "tahard").status);
    EXPECT_EQ(2u, StoredRows(server).size());
    EXPECT_EQ("tahard:ANN LEE:0", StoredRows(server).back());
}

TEST(ScoreServer, RanksLargerFirstAndTrimsEachTableToItsSize) {
    ScoreServerProcess server({"--table-size", "3", "--submissions-per-minute", "1000"});
    for (auto [name, score] : {std::pair{"A", 10}, {"B", 30}, {"C", 20}, {"D", 30}}) {
        ASSERT_EQ("stored\n", Submit(server, name, score, "taeasy").body);
    }
    // Asked while it would enter, pushed out before it came: not "stored".
    EXPECT_EQ("yes", Query(server, "taeasy", 25));
    EXPECT_EQ("stored\n", Submit(server, "E", 26, "taeasy").body);
    EXPECT_EQ("no", Fetch(server, kSubmit + "?name=X&score=25&computer=M&gamename=taeasy").body);
    ASSERT_EQ(200, Submit(server, "F", 1, "taaverage").status);
    // Ties keep the earlier entry ahead; the lowest fell out.
    EXPECT_EQ(
        std::vector<std::string>({"taaverage:F:1", "taeasy:B:30", "taeasy:D:30", "taeasy:E:26"}),
        StoredRows(server));
    EXPECT_EQ("no", Query(server, "taeasy", 26)); // equal to the last place
    EXPECT_EQ("yes", Query(server, "taeasy", 27));
    EXPECT_EQ("yes", Query(server, "taaverage", 0)); // not full yet
    EXPECT_EQ("yes", Query(server, "tshard", 0));

    server.Restart(); // the tables live in the database
    EXPECT_EQ(4u, StoredRows(server).size());
    EXPECT_EQ("no", Query(server, "taeasy", 26));
}

TEST(ScoreServer, ListingShowsTheSixTablesInTheirUnits) {
    ScoreServerProcess server(kGenerous);
    Submit(server, "ANN", 75, "taeasy");
    Submit(server, "BOB", 1230, "tshard");
    Reply page = Fetch(server, "/highscores/orbolo/");
    ASSERT_EQ(200, page.status);
    EXPECT_EQ(0u, page.body.find("<!DOCTYPE html>"));
    EXPECT_NE(std::string::npos, page.body.find("name=\"viewport\""));
    for (const char* title :
         {"TimeAttack \xC2\xB7 Easy", "TimeAttack \xC2\xB7 Average", "TimeAttack \xC2\xB7 Hard",
          "TopScore \xC2\xB7 Easy", "TopScore \xC2\xB7 Average", "TopScore \xC2\xB7 Hard"}) {
        EXPECT_NE(std::string::npos, page.body.find(title)) << title;
    }
    EXPECT_NE(std::string::npos, page.body.find("<td>ANN</td><td class=\"value\">1:15</td>"));
    EXPECT_NE(std::string::npos, page.body.find("<td>BOB</td><td class=\"value\">1230</td>"));
    auto result = server.Client().Get("/highscores/orbolo/");
    EXPECT_EQ("text/html; charset=utf-8", result->get_header_value("Content-Type"));
    EXPECT_NE("", result->get_header_value("Content-Security-Policy"));
    EXPECT_EQ(301, Fetch(server, "/highscores/orbolo").status);
    EXPECT_EQ(404, Fetch(server, "/highscores/orbolo/admin.php").status);
}

TEST(ScoreServer, LimitsSubmissionsPerAddressAndRequestSize) {
    ScoreServerProcess server({"--submissions-per-minute", "3"});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(200, Submit(server, "ANN", i, "taeasy").status);
    Reply refused = Submit(server, "ANN", 99, "taeasy");
    EXPECT_EQ(429, refused.status);
    EXPECT_EQ(std::string::npos, refused.body.find("yes"));
    EXPECT_EQ(3u, StoredRows(server).size());
    EXPECT_EQ("yes", Query(server, "taeasy", 99)); // queries have a limit of their own

    Reply huge =
        Fetch(server, kQuery + "?gamename=taeasy&submtdscore=5&pad=" + std::string(3000, 'x'));
    EXPECT_EQ(414, huge.status);
    EXPECT_EQ(std::string::npos, huge.body.find("yes"));
}

TEST(ScoreServer, ThousandConcurrentSubmissionsLoseNone) {
    ScoreServerProcess server({"--table-size", "1000", "--submissions-per-minute", "0",
                               "--queries-per-minute", "0", "--connections-per-address", "0"});
    constexpr int kSubmissions = 1000;
    std::atomic<int> stored{0};
    std::latch start(kSubmissions); // all connect at once, not one after another
    std::vector<std::thread> clients;
    for (int n = 0; n < kSubmissions; ++n) {
        clients.emplace_back([&, n] {
            // A distinct name per submission: three letters from n.
            std::string name = {char('A' + n / 676), char('A' + n / 26 % 26), char('A' + n % 26)};
            start.arrive_and_wait();
            if (Submit(server, name, n, "taeasy").status == 200) ++stored;
        });
    }
    for (auto& t : clients)
        t.join();
    EXPECT_EQ(kSubmissions, stored.load());
    std::vector<std::string> rows = StoredRows(server);
    ASSERT_EQ(size_t{kSubmissions}, rows.size());
    EXPECT_EQ("taeasy:BML:999", rows.front());
    EXPECT_EQ("taeasy:AAA:0", rows.back());
}

TEST(ScoreServer, SecondServerCannotTakeTheSamePort) {
    ScoreServerProcess server;
    // Bounded: a second server that did bind would otherwise run for ever.
    std::string second = "timeout 5 " + std::string(ORBOLO_SCORED_PATH) +
                         " --listen 127.0.0.1:" + std::to_string(server.Port()) + " --db " +
                         server.DatabasePath() + "-other 2>/dev/null";
    int status = system(second.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "status " << status;
}

TEST(ScoreServer, CommandLine) {
    std::string help = std::string(ORBOLO_SCORED_PATH) + " --help";
    FILE* out = popen(help.c_str(), "r");
    ASSERT_NE(nullptr, out);
    char text[4096] = {};
    size_t n = fread(text, 1, sizeof text - 1, out);
    EXPECT_EQ(0, pclose(out));
    EXPECT_NE(std::string::npos, std::string(text, n).find("--listen ADDRESS:PORT"));
    EXPECT_NE(0, system((std::string(ORBOLO_SCORED_PATH) + " --table-size 0 2>/dev/null").c_str()));
    EXPECT_NE(0, system((std::string(ORBOLO_SCORED_PATH) + " --bogus 1 2>/dev/null").c_str()));
}

} // namespace
