// The real orbolo-scored on loopback, for what HTTP adds to the backends:
// request parsing and answers, the rule that only what a source asked about
// is stored, limits, slow and greedy clients, and the operator's
// subcommands on a live server. Extra sources are other addresses of
// 127.0.0.0/8, so per-source rules can be seen from one machine.
#include "server/score_server_process.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <latch>
#include <thread>

namespace {

const std::string kQuery = "/highscores/orbolo/ishighscore.php?gamename=";
const std::string kSubmit = "/highscores/orbolo/scoresubmitter.php?computer=M&name=";

// Asks first, as the game does; the submission's answer.
std::string Submit(const ScoreServerProcess& server, const std::string& name, int score,
                   const std::string& table = "taeasy", const char* source = "127.0.0.1") {
    const std::string value = std::to_string(score);
    Get(server, kQuery + table + "&submtdscore=" + value, source);
    return Get(server, kSubmit + name + "&gamename=" + table + "&score=" + value, source);
}

// Rows as "table:name:score", best first within each table, read straight
// from the database the server writes.
std::vector<std::string> StoredRows(const ScoreServerProcess& server) {
    sqlite3* db = nullptr;
    sqlite3_stmt* s = nullptr;
    std::vector<std::string> rows;
    sqlite3_open_v2(server.DatabasePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_prepare_v2(db,
                       "SELECT board || ':' || name || ':' || score FROM scores"
                       " ORDER BY board, score DESC, id",
                       -1, &s, nullptr);
    while (s && sqlite3_step(s) == SQLITE_ROW)
        rows.push_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return rows;
}

std::string Operator(const ScoreServerProcess& s, const std::string& command) {
    return Scored("--db " + s.DatabasePath() + " " + command).first;
}

// Waits until the server answers `target` as `expected` (bans reach it
// within a second), up to a generous bound.
bool AnswersSoon(const ScoreServerProcess& server, const std::string& target,
                 const std::string& expected, const char* source = "127.0.0.1",
                 const std::string& headers = "") {
    for (int i = 0; i < 300; ++i) {
        if (Get(server, target, source, headers) == expected) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

TEST(ScoreServerHttp, AnswersTheGamesTwoRequestsAndRefusesEveryMalformedOne) {
    ScoreServerProcess server({"--submissions-per-minute", "0"});
    const std::string q = "/highscores/orbolo/ishighscore.php";
    const std::string s = "/highscores/orbolo/scoresubmitter.php";
    const std::string ok = "&score=5&computer=M&gamename=taeasy";
    for (const std::string& target : std::vector<std::string>{
             q, q + "?gamename=taeasy", q + "?submtdscore=5", q + "?gamename=TAEASY&submtdscore=5",
             q + "?gamename=taeasy&submtdscore=-1", q + "?gamename=taeasy&submtdscore=32768",
             q + "?gamename=taeasy&submtdscore=12a", q + "?gamename=taeasy&submtdscore=+5",
             q + "?gamename=taeasy&submtdscore=%205", q + "?gamename=taeasy&submtdscore=",
             q + "?gamename=tseasy&submtdscore=327680", q + "?gamename=tseasy&submtdscore=15",
             q + "?gamename=taeasy&submtdscore=5&submtdscore=6",
             q + "?gamename=taeasy&gamename=tahard&submtdscore=5",
             q + "?gamename=taeasy&submtdscore=5&extra=1",
             q + "?gamename=taeasy'%20OR%20'1'='1&submtdscore=5", s + "?name=" + ok.substr(1),
             s + "?name=%20%20" + ok, s + "?name=" + std::string(31, 'A') + ok,
             s + "?name=ann" + ok, s + "?name=ANN1" + ok, s + "?name=ANN%00" + ok,
             s + "?name=%C3%84NN" + ok, s + "?name=ANN%0ALEE" + ok,
             s + "?name=ANN&score=5&gamename=taeasy",
             s + "?name=ANN&score=5&computer=&gamename=taeasy",
             s + "?name=ANN&score=32768&computer=M&gamename=taeasy",
             s + "?name=ANN&score=-5&computer=M&gamename=taeasy",
             s + "?name=ANN&score=5&computer=M&gamename=tsbest",
             s + "?name=ANN&score=5&computer=M&gamename=taeasy&name=BOB",
             s + "?name=ANN&score=5&computer=M&gamename=taeasy&x=1",
             s + "?name=ANN&score=5&computer=M",
             // SQL and markup never pass the name rule.
             s + "?name=ROBERT'%29%3B%20DROP%20TABLE%20scores%3B--" + ok,
             s + "?name=%3Cscript%3EALERT%3C%2Fscript%3E" + ok,
             s + "?name=A%22%20ONMOUSEOVER%3D%22X" + ok,
             s + "?name=ANN&score=5&computer=M%27%3B--&gamename=taeasy"}) {
        std::string reply = Get(server, target);
        EXPECT_EQ("400", reply.substr(0, 3)) << target;
        EXPECT_EQ(std::string::npos, reply.find("yes")) << target;
    }
    EXPECT_TRUE(StoredRows(server).empty());
    EXPECT_EQ("200 yes", Get(server, kQuery + "taeasy&submtdscore=0")); // an empty table
    // The longest name, the largest score, an encoded blank, the game's
    // name for nobody with the best TopScore result it can send.
    EXPECT_EQ("200 stored\n", Submit(server, std::string(30, 'Z'), 32767, "tahard"));
    EXPECT_EQ("200 stored\n", Submit(server, "ANN%20LEE", 75));
    EXPECT_EQ("200 stored\n", Submit(server, "chicken", 327670, "tshard"));
    EXPECT_EQ(
        std::vector<std::string>({"taeasy:ANN LEE:75", "tahard:" + std::string(30, 'Z') + ":32767",
                                  "tshard:chicken:327670"}),
        StoredRows(server));
    std::string page = Raw(server, "/highscores/orbolo/");
    EXPECT_NE(std::string::npos, page.find("Content-Type: text/html; charset=utf-8"));
    EXPECT_NE(std::string::npos, page.find("Content-Security-Policy: "));
    EXPECT_NE(std::string::npos, page.find("name=\"viewport\""));
    EXPECT_NE(std::string::npos, page.find("TopScore \xC2\xB7 Hard"));
    EXPECT_NE(std::string::npos, page.find("<td>ANN LEE</td><td class=\"value\">1:15</td>"));
    EXPECT_EQ("301", Get(server, "/highscores/orbolo").substr(0, 3));
    EXPECT_EQ("404", Get(server, "/highscores/orbolo/admin.php").substr(0, 3));
}

TEST(ScoreServerHttp, OnlyWhatTheSameSourceAskedAboutIsStored) {
    ScoreServerProcess server({"--table-size", "1"});
    const std::string submit = kSubmit + "ANN&gamename=tshard&score=";
    EXPECT_EQ("403", Get(server, submit + "1230").substr(0, 3)); // never asked
    EXPECT_EQ("200 yes", Get(server, kQuery + "tshard&submtdscore=1230", "127.0.0.2"));
    EXPECT_EQ("403", Get(server, submit + "1230").substr(0, 3)); // another source asked
    EXPECT_EQ("403", Get(server, submit + "1240", "127.0.0.2").substr(0, 3)); // another value
    EXPECT_EQ("200 yes", Get(server, kQuery + "tshard&submtdscore=1220", "127.0.0.3"));
    EXPECT_EQ("200 stored\n", Get(server, submit + "1230", "127.0.0.2"));
    EXPECT_EQ("403", Get(server, submit + "1230", "127.0.0.2").substr(0, 3)); // asked once
    EXPECT_EQ("200 no", Get(server, kQuery + "tshard&submtdscore=1230"));
    EXPECT_EQ("403", Get(server, submit + "1230").substr(0, 3)); // asked, but "no"
    // Asked while it would enter, pushed out before it came: "no".
    EXPECT_EQ("200 no", Get(server, submit + "1220", "127.0.0.3"));
    EXPECT_EQ(std::vector<std::string>{"tshard:ANN:1230"}, StoredRows(server));
}

TEST(ScoreServerHttp, LimitsSubmissionsPerSourceAndRequestSize) {
    ScoreServerProcess server({"--submissions-per-minute", "3"});
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ("200 stored\n", Submit(server, "ANN", i));
    EXPECT_EQ("429", Submit(server, "ANN", 99).substr(0, 3));
    EXPECT_EQ(3u, StoredRows(server).size());
    EXPECT_EQ("200 yes", Get(server, kQuery + "taeasy&submtdscore=99")); // a limit of their own
    EXPECT_EQ(
        "414",
        Get(server, kQuery + "taeasy&submtdscore=5&pad=" + std::string(3000, 'x')).substr(0, 3));
}

TEST(ScoreServerHttp, ThousandConcurrentSubmissionsLoseNone) {
    ScoreServerProcess server({"--table-size", "1000", "--submissions-per-minute", "0",
                               "--queries-per-minute", "0", "--connections-per-address", "0"});
    constexpr int kSubmissions = 1000;
    std::atomic<int> stored{0};
    std::latch start(kSubmissions); // all connect at once, not one after another
    std::vector<std::thread> clients;
    for (int n = 0; n < kSubmissions; ++n) {
        clients.emplace_back([&, n] {
            std::string name = {char('A' + n / 676), char('A' + n / 26 % 26), char('A' + n % 26)};
            start.arrive_and_wait();
            if (Submit(server, name, n) == "200 stored\n") ++stored;
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

TEST(ScoreServerHttp, SlowClientsNeitherStallOthersNorStayForEver) {
    // One event loop: it takes connections in the order they came, so the
    // 17th from one source below is the one shut.
    ScoreServerProcess server({"--request-seconds", "2", "--threads", "1"});
    // 100 connections, ten from each of ten sources, each stuck inside its
    // header lines.
    std::vector<int> slow;
    for (int i = 0; i < 100; ++i) {
        int s = Connect(server, ("127.0.0." + std::to_string(10 + i / 10)).c_str());
        ASSERT_LE(0, s);
        send(s, "GET / HTTP/1.1\r\nX-Slow: a", 25, MSG_NOSIGNAL);
        slow.push_back(s);
    }
    for (int i = 0; i < 20; ++i) {
        auto start = std::chrono::steady_clock::now();
        EXPECT_EQ("200 yes", Get(server, kQuery + "taeasy&submtdscore=" + std::to_string(i)));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    }
    // Each goes on trickling a byte every 200 ms, so it never idles, and is
    // still cut once its time for the request is up.
    for (int round = 0; round < 150 && !slow.empty(); ++round) {
        std::erase_if(slow, [](int s) {
            char c = 0;
            ssize_t got = recv(s, &c, 1, MSG_DONTWAIT);
            bool cut = send(s, "b", 1, MSG_NOSIGNAL) < 0 || got == 0 ||
                       (got < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
            if (cut) close(s);
            return cut;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_TRUE(slow.empty());
    // One source holds at most 16 connections at once; the 17th is shut.
    std::vector<int> many;
    for (int i = 0; i < 17; ++i)
        many.push_back(Connect(server, "127.0.0.30"));
    send(many.back(), "GET / HTTP/1.0\r\n\r\n", 18, MSG_NOSIGNAL);
    EXPECT_EQ("", ReadAll(many.back()));
    for (int s : many)
        close(s);
}

TEST(ScoreServerHttp, HeaderFloodsAreRefusedWithMemoryBounded) {
    ScoreServerProcess server;
    std::vector<std::thread> floods;
    std::vector<std::string> replies(8);
    for (int i = 0; i < 8; ++i) {
        floods.emplace_back([&, i] {
            int s = Connect(server, ("127.0.0." + std::to_string(40 + i)).c_str());
            std::string lines = "GET /highscores/orbolo/ HTTP/1.1\r\n";
            for (int k = 0; k < 1000; ++k)
                lines += "X-Flood: a\r\n";
            // A million header lines, until the server stops taking them.
            for (int k = 0; k < 1000; ++k) {
                if (send(s, lines.data(), lines.size(), MSG_NOSIGNAL) < 0) break;
                lines = lines.substr(lines.find("\r\n") + 2) + "X-Flood: a\r\n";
            }
            replies[i] = ReadAll(s).substr(0, 12);
            close(s);
        });
    }
    for (auto& t : floods)
        t.join();
    for (const std::string& reply : replies)
        EXPECT_TRUE(reply == "HTTP/1.1 431" || reply.empty()) << reply;
    EXPECT_LT(ResidentKiB(server.Pid()), 64 * 1024);
    // 6,000 connections from 375 sources, each holding a request it never
    // ends: within the budget, and handed back once they close.
    const long start = ResidentKiB(server.Pid());
    std::vector<int> idle;
    for (int i = 0; i < 6000; ++i) {
        idle.push_back(Connect(
            server, ("127.2." + std::to_string(i / 3200) + "." + std::to_string(i / 16 % 200 + 1))
                        .c_str()));
        send(idle.back(), "GET / HTTP/1.1\r\nX-Pad: aaaa", 26, MSG_NOSIGNAL);
    }
    EXPECT_EQ("200 yes", Get(server, kQuery + "taeasy&submtdscore=1", "127.3.0.1"));
    EXPECT_LT(ResidentKiB(server.Pid()), 64 * 1024);
    for (int s : idle)
        close(s);
    for (int i = 0; i < 100 && ResidentKiB(server.Pid()) > start + 8 * 1024; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_LT(ResidentKiB(server.Pid()), start + 8 * 1024);
    std::string many;
    for (int k = 0; k < 70; ++k)
        many += "X-" + std::to_string(k) + ": a\r\n";
    EXPECT_EQ("431", Get(server, "/highscores/orbolo/", "127.0.0.1", many).substr(0, 3));
    EXPECT_EQ("200 yes", Get(server, kQuery + "tshard&submtdscore=327670"));
}

TEST(ScoreServerHttp, OperatorActsOnTheLiveServer) {
    // Entries of an older server: no address column. They survive, and the
    // proxy's clients are told apart by X-Forwarded-For.
    ScoreServerProcess server({"--trust-proxy", "127.0.0.1/32"});
    server.RestartAfter([&] {
        std::filesystem::remove(server.DatabasePath());
        sqlite3* db = nullptr;
        sqlite3_open(server.DatabasePath().c_str(), &db);
        sqlite3_exec(
            db,
            "CREATE TABLE scores (id INTEGER PRIMARY KEY AUTOINCREMENT, board TEXT NOT NULL,"
            " name TEXT NOT NULL, score INTEGER NOT NULL, computer TEXT NOT NULL,"
            " submitted INTEGER NOT NULL);"
            "INSERT INTO scores (board, name, score, computer, submitted)"
            " VALUES ('tahard', 'OLD', 500, 'M', 1700000000);",
            nullptr, nullptr, nullptr);
        sqlite3_close(db);
    });

    const std::string viaProxy = "X-Forwarded-For: 10.9.9.9, 203.0.113.7\r\n";
    Get(server, kQuery + "tseasy&submtdscore=50", "127.0.0.1", viaProxy);
    EXPECT_EQ("200 stored\n",
              Get(server, kSubmit + "ANN%20LEE&gamename=tseasy&score=50", "127.0.0.1", viaProxy));
    const std::string listed = "tahard\t1\tOLD\t500\t-\t2023-11-14T22:13:20Z\n"
                               "tseasy\t1\tANN LEE\t50\t203.0.113.7\t";
    EXPECT_EQ(listed, Operator(server, "list").substr(0, listed.size()));

    EXPECT_EQ("banned 203.0.113.0/24\n", Operator(server, "ban 203.0.113.9/24"));
    const std::string query = kQuery + "taeasy&submtdscore=1";
    EXPECT_TRUE(AnswersSoon(server, query, "403 forbidden\n", "127.0.0.1", viaProxy));
    EXPECT_EQ("200 yes", Get(server, query)); // the proxy itself is not banned
    // From a source that is not the proxy the header counts for nothing.
    EXPECT_EQ("200 yes", Get(server, query, "127.0.0.2", viaProxy));
    EXPECT_EQ("banned 127.0.0.2/32\n", Operator(server, "ban 127.0.0.2"));
    EXPECT_TRUE(AnswersSoon(server, query, "403 forbidden\n", "127.0.0.2"));
    EXPECT_EQ("unbanned 127.0.0.2/32\n", Operator(server, "unban 127.0.0.2/32"));
    EXPECT_TRUE(AnswersSoon(server, query, "200 yes", "127.0.0.2"));

    EXPECT_EQ("deleted 1 entry\n", Operator(server, "delete tahard OLD"));
    EXPECT_EQ("200 yes", Get(server, kQuery + "tahard&submtdscore=0"));
    std::string copy = server.DatabasePath() + ".copy";
    EXPECT_EQ("backed up to " + copy + "\n", Operator(server, "backup " + copy));
    EXPECT_EQ(0u, Scored("--db " + copy + " list tseasy").first.find("tseasy\t1\tANN LEE\t50\t"));
    EXPECT_NE(std::string::npos, Operator(server, "ban 300.1.1.1").find("not an address"));
}

TEST(ScoreServerHttp, CommandLineAndATakenPort) {
    EXPECT_NE(std::string::npos, Scored("--help").first.find("--listen ADDRESS:PORT"));
    EXPECT_EQ(0, Scored("--help").second);
    EXPECT_NE(0, Scored("--table-size 0").second);
    EXPECT_NE(0, Scored("--bogus 1").second);
    ScoreServerProcess server;
    // Bounded: a second server that did bind would otherwise run for ever.
    EXPECT_EQ(1, system(("timeout 5 " + std::string(ORBOLO_SCORED_PATH) +
                         " --listen 127.0.0.1:" + std::to_string(server.Port()) + " --db " +
                         server.DatabasePath() + "-other 2>/dev/null")
                            .c_str()) >>
                     8);
}

} // namespace
