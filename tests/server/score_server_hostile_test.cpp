// The real orbolo-scored under attack and with a failing database: many
// sources (addresses of 127.0.0.0/8, ::1, and IPv6 /64s named by a trusted
// proxy), malformed requests, connection floods, a damaged or unwritable
// store, and a PostgreSQL server of the test's own frozen and restarted.
#include "postgres_server.h"
#include "server/score_server_process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <chrono>
#include <random>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
const std::string kQuery = "/highscores/orbolo/ishighscore.php?gamename=";
const std::string kSubmit = "/highscores/orbolo/scoresubmitter.php?computer=M&name=";

PostgresServer& Postgres() {
    static PostgresServer server;
    return server;
}

// Sends raw bytes; the reply's first 12 bytes ("HTTP/1.1 400"), not waiting
// for a connection kept open.
std::string StatusOf(const ScoreServerProcess& server, const std::string& request) {
    int s = Connect(server, "127.0.0.1");
    send(s, request.data(), request.size(), MSG_NOSIGNAL);
    std::string reply;
    char part[512];
    for (ssize_t n; reply.size() < 12 && (n = recv(s, part, sizeof part, 0)) > 0;)
        reply.append(part, n);
    close(s);
    return reply.substr(0, 12);
}

// Queries n = first.. first + 499 sent at once on one connection, each
// from source n as X-Forwarded-For names it: how many were answered 200.
int AnsweredFromSources(const ScoreServerProcess& server, int first) {
    std::string requests;
    char source[40];
    for (int n = first; n < first + 500; ++n) {
        // IPv4 addresses and IPv6 /64s in turn
        std::snprintf(source, sizeof source, n % 2 ? "2001:db8:%x:%x::1" : "10.%d.%d.0", n / 256,
                      n % 256);
        requests += "GET " + kQuery + "tshard&submtdscore=" + std::to_string(n % 30000) +
                    "0 HTTP/1.1\r\nX-Forwarded-For: " + source + "\r\n" +
                    (n == first + 499 ? "Connection: close\r\n\r\n" : "\r\n");
    }
    int s = Connect(server, "127.0.0.1");
    send(s, requests.data(), requests.size(), MSG_NOSIGNAL);
    std::string replies = ReadAll(s);
    close(s);
    int answered = 0;
    for (size_t at = 0; (at = replies.find("HTTP/1.1 200", at)) != std::string::npos; ++at)
        ++answered;
    return answered;
}

// 50,000 sources named by the proxy (IPv4 addresses and IPv6 /64s), each
// with a limit of its own; then real sources of 127.0.0.0/8 and ::1.
TEST(ScoreServerUnderAttack, EverySourceKeepsItsOwnLimitAmongFiftyThousand) {
    ScoreServerProcess server({"--listen", "[::]:0", "--queries-per-minute", "2", "--trust-proxy",
                               "127.0.0.1/32", "--connections-per-address", "0"});
    std::atomic<int> answered{0};
    std::vector<std::thread> clients;
    for (int t = 0; t < 4; ++t)
        clients.emplace_back([&, t] {
            for (int first = t * 500; first < 50000; first += 2000)
                answered += AnsweredFromSources(server, first);
        });
    for (auto& t : clients)
        t.join();
    EXPECT_EQ(50000, answered.load());
    // 10.0.0.0 asked once above; the /64 of 2001:db9:7:1:: is one source.
    const std::string query = kQuery + "tahard&submtdscore=6";
    for (auto [source, status] : {std::pair{"10.0.0.0", "200"},
                                  {"10.0.0.0", "429"},
                                  {"2001:db9:7:1::1", "200"},
                                  {"2001:db9:7:1:ffff::2", "200"},
                                  {"2001:db9:7:1::3", "429"},
                                  {"2001:db9:7:2::1", "200"}}) {
        const std::string proxied = "X-Forwarded-For: " + std::string(source) + "\r\n";
        EXPECT_EQ(status, Get(server, query, "127.0.0.1", proxied).substr(0, 3)) << source;
    }
    for (int n = 0; n < 1000; ++n) {
        std::string source = "127.1." + std::to_string(n / 200) + "." + std::to_string(n % 200 + 1);
        ASSERT_EQ("200 yes", Get(server, kQuery + "tahard&submtdscore=5", source.c_str()));
    }
    for (const char* source : {"127.1.0.1", "::1", "::1"}) // 127.1.0.1 asked once above
        EXPECT_EQ("200 yes", Get(server, query, source)) << source;
    for (const char* source : {"127.1.0.1", "::1"})
        EXPECT_EQ("429", Get(server, query, source).substr(0, 3)) << source;
}

TEST(ScoreServerUnderAttack, EveryMalformedRequestGetsAStatusAtOnce) {
    ScoreServerProcess server({"--connections-per-address", "0", "--queries-per-minute", "0"});
    const std::string q = kQuery + "taeasy&submtdscore=5", head = " HTTP/1.1\r\nHost: x\r\n";
    std::string many = kQuery + "taeasy";
    for (int i = 0; i < 240; ++i)
        many += "&a" + std::to_string(i) + "=";
    for (const std::string& request :
         {"GET " + many + head + "\r\n",
          "GET " + q + head + "Transfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
          "GET " + q + head + "Content-Length: 5\r\nContent-Length: 6\r\n\r\nhello!",
          "GET " + q + head + "Content-Length: 5\r\n\r\nhello",
          "GET /highscores/orbolo/" + std::string(1, '\0') + q.substr(19) + head + "\r\n",
          "GET /highscores/orbolo/\x01ishighscore.php" + head + "\r\n"}) {
        auto start = Clock::now();
        EXPECT_EQ("HTTP/1.1 400", StatusOf(server, request)) << request.substr(0, 60);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1)) << request.substr(0, 60);
    }
    // Random damage inside a good request: every one is answered.
    std::mt19937 random(27);
    const std::string good = "GET " + q + head + "\r\n";
    const std::string pieces[] = {std::string(1, '\0'),
                                  "\r",
                                  "\n",
                                  " ",
                                  "%00",
                                  "&",
                                  "?",
                                  "Content-Length: 3\r\n",
                                  "\x80",
                                  ":",
                                  "Transfer-Encoding: x\r\n"};
    for (int i = 0; i < 400; ++i) {
        std::string r = good;
        r.insert(5 + random() % (r.size() - 9), pieces[random() % std::size(pieces)]);
        ASSERT_EQ("HTTP/1.", StatusOf(server, r).substr(0, 7)) << testing::PrintToString(r);
    }
}

TEST(ScoreServerUnderAttack, ADamagedOrUnwritableStoreIsRefusedWithItsReason) {
    const std::string folder = mkdtemp(std::string("/tmp/orbolo-broken-XXXXXX").data());
    const std::string good = folder + "/good.db", damaged = folder + "/damaged.db";
    ASSERT_EQ(0, Scored("--db " + good + " ban 10.0.0.0/8").second);
    std::filesystem::copy_file(good, damaged);
    {
        // Random bytes from page 3 on, as a failing disk leaves them.
        std::fstream file(damaged, std::ios::in | std::ios::out | std::ios::binary);
        std::mt19937 random(3);
        file.seekp(2 * 4096);
        for (size_t at = 2 * 4096; at < std::filesystem::file_size(damaged); ++at)
            file.put(static_cast<char>(random()));
    }
    auto [said, status] = Scored("--listen 127.0.0.1:0 --db " + damaged);
    EXPECT_EQ(1, status);
    EXPECT_EQ(0u, said.find("orbolo-scored: " + damaged + ": the database is damaged: ")) << said;
    said = Scored("--db " + damaged + " list").first;
    EXPECT_NE(std::string::npos,
              said.find("list failed: the database refused: database disk image is malformed"))
        << said;
    // Not writable for the server's user (root writes anything: as root,
    // the server runs as nobody).
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    std::filesystem::permissions(good, std::filesystem::perms(0444));
    std::tie(said, status) =
        Scored("--listen 127.0.0.1:0 --db " + good, geteuid() == 0 ? "runuser -u nobody -- " : "");
    EXPECT_EQ(1, status);
    EXPECT_EQ("orbolo-scored: " + good + ": attempt to write a readonly database\n", said);
    std::filesystem::remove_all(folder);
}

// A frozen database: what needs it is answered 503 with Retry-After in
// bounded time, the rest at once; once it is back the same submission is
// stored (its query was not used up). Across a restart no submission is
// blamed on the player: each is stored, at once or when sent again.
TEST(PostgreSQLScoreServer, AFrozenOrRestartedDatabaseIsAnsweredBusyNeverRefused) {
    ScoreServerProcess server({"--db", Postgres().NewDatabase()});
    const std::string submit = kSubmit + "PAT&gamename=tseasy&score=120";
    EXPECT_EQ("200 yes", Get(server, kQuery + "tseasy&submtdscore=120"));
    EXPECT_EQ("200", Get(server, "/highscores/orbolo/").substr(0, 3)); // builds the page
    Postgres().Signal(SIGSTOP);
    std::thread stuck([&] {
        auto start = Clock::now();
        std::string reply = Raw(server, submit);
        EXPECT_EQ(0u, reply.find("HTTP/1.1 503")) << reply;
        EXPECT_NE(std::string::npos, reply.find("Retry-After: 1\r\n")) << reply;
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));
    });
    for (const char* target : {"/nothing", "/highscores/orbolo/"}) { // meanwhile
        auto start = Clock::now();
        EXPECT_NE("503", Get(server, target).substr(0, 3)) << target;
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500)) << target;
    }
    stuck.join();
    EXPECT_EQ("503", Get(server, kQuery + "tahard&submtdscore=7").substr(0, 3)); // not cached
    Postgres().Signal(SIGCONT);
    auto storedSoon = [&](const std::string& target, const char* source) {
        std::string reply = Get(server, target, source);
        for (int i = 0; i < 50 && reply.starts_with("503"); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            reply = Get(server, target, source);
        }
        return reply;
    };
    EXPECT_EQ("200 stored\n", storedSoon(submit, "127.0.0.1"));

    std::vector<std::string> replies(20);
    auto source = [](int i) { return "127.4.0." + std::to_string(i + 1); };
    auto entry = [](int i) { return kSubmit + "ANN&gamename=taeasy&score=" + std::to_string(i); };
    for (int i = 0; i < 20; ++i)
        Get(server, kQuery + "taeasy&submtdscore=" + std::to_string(i), source(i).c_str());
    std::thread restart([] { Postgres().Restart(); });
    for (int i = 0; i < 20; ++i) {
        replies[i] = Get(server, entry(i), source(i).c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    restart.join();
    for (int i = 0; i < 20; ++i) {
        if (replies[i].starts_with("503")) replies[i] = storedSoon(entry(i), source(i).c_str());
        EXPECT_EQ("200 stored\n", replies[i]) << source(i);
    }
}

} // namespace
