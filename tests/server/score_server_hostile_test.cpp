// The real orbolo-scored under attack and with a failing database: many
// sources (addresses of 127.0.0.0/8, ::1, and IPv6 /64s named by a trusted
// proxy), malformed requests, connection floods, a damaged or unwritable
// store, and a PostgreSQL server of the test's own frozen and restarted.
#include "postgres_server.h"
#include "server/score_server_process.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <fstream>
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

long ResidentKiB(const ScoreServerProcess& server) {
    std::ifstream status("/proc/" + std::to_string(server.Pid()) + "/status");
    std::string word;
    long kib = -1;
    while (status >> word)
        if (word == "VmRSS:") status >> kib;
    return kib;
}

// One keep-alive connection sending requests one after another: the
// status of each answer.
class KeepAlive {
  public:
    explicit KeepAlive(const ScoreServerProcess& server) : s(Connect(server, "127.0.0.1")) {}
    ~KeepAlive() { close(s); }
    int Status(const std::string& target, const std::string& headers) {
        std::string request = "GET " + target + " HTTP/1.1\r\nHost: x\r\n" + headers + "\r\n";
        if (send(s, request.data(), request.size(), MSG_NOSIGNAL) < 0) return -1;
        size_t end;
        while ((end = buffer.find("\r\n\r\n")) == std::string::npos)
            if (!Read()) return -1;
        size_t at = buffer.find("Content-Length: ");
        size_t length = at < end ? std::stoul(buffer.substr(at + 16)) : 0;
        while (buffer.size() < end + 4 + length)
            if (!Read()) return -1;
        int status = std::atoi(buffer.c_str() + 9);
        buffer.erase(0, end + 4 + length);
        return status;
    }

  private:
    bool Read() {
        char part[4096];
        ssize_t n = recv(s, part, sizeof part, 0);
        if (n > 0) buffer.append(part, n);
        return n > 0;
    }
    int s;
    std::string buffer;
};

std::string Elapsed(Clock::time_point start) {
    return std::to_string(
               std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start)
                   .count()) +
           " ms";
}

// 50,000 sources named by the proxy, each with its own limit, then real
// sources: addresses of 127.0.0.0/8 and ::1, whose /64 is one source.
TEST(ScoreServerUnderAttack, EverySourceKeepsItsOwnLimitAmongFiftyThousand) {
    ScoreServerProcess server({"--listen", "[::]:0", "--queries-per-minute", "2", "--trust-proxy",
                               "127.0.0.1/32", "--connections-per-address", "0"});
    std::atomic<int> refused{0};
    std::vector<std::thread> clients;
    for (int t = 0; t < 4; ++t) {
        clients.emplace_back([&, t] {
            KeepAlive c(server);
            for (int n = t; n < 50000; n += 4) {
                char source[40];
                if (n % 2) // a /64 each
                    std::snprintf(source, sizeof source, "2001:db8:%x:%x::1", n / 4096, n);
                else
                    std::snprintf(source, sizeof source, "10.%d.%d.%d", n / 65536, n / 256 % 256,
                                  n % 256);
                if (c.Status(kQuery + "taeasy&submtdscore=" + std::to_string(n % 30000),
                             "X-Forwarded-For: " + std::string(source) + "\r\n") != 200)
                    ++refused;
            }
        });
    }
    for (auto& t : clients)
        t.join();
    EXPECT_EQ(0, refused.load());
    KeepAlive c(server);
    auto status = [&](const std::string& source) {
        return c.Status(kQuery + "tshard&submtdscore=10", "X-Forwarded-For: " + source + "\r\n");
    };
    EXPECT_EQ(200, status("10.0.0.0")); // its second of two
    EXPECT_EQ(429, status("10.0.0.0"));
    EXPECT_EQ(200, status("2001:db8:7:1::1"));
    EXPECT_EQ(200, status("2001:db8:7:1:ffff::2")); // the same /64
    EXPECT_EQ(429, status("2001:db8:7:1::3"));
    EXPECT_EQ(200, status("2001:db8:7:2::1")); // the next /64

    for (int n = 0; n < 1000; ++n) {
        std::string source = "127.1." + std::to_string(n / 200) + "." + std::to_string(n % 200 + 1);
        ASSERT_EQ("200 yes", Get(server, kQuery + "tahard&submtdscore=5", source.c_str()))
            << source;
    }
    const std::string query = kQuery + "tahard&submtdscore=6";
    for (const char* source : {"127.1.0.1", "::1"}) {
        EXPECT_EQ("200 yes", Get(server, query, source));
        if (std::string(source) == "::1") {
            EXPECT_EQ("200 yes", Get(server, query, source));
        }
        EXPECT_EQ("429", Get(server, query, source).substr(0, 3)) << source;
    }
}

TEST(ScoreServerUnderAttack, EveryMalformedRequestGetsAStatusAtOnce) {
    ScoreServerProcess server({"--connections-per-address", "0", "--queries-per-minute", "0"});
    const std::string q = "/highscores/orbolo/ishighscore.php?gamename=taeasy&submtdscore=5";
    std::string many = "/highscores/orbolo/ishighscore.php?a=1";
    for (int i = 0; i < 240; ++i)
        many += "&a" + std::to_string(i) + "=";
    const struct {
        std::string request, status;
    } cases[] = {
        {"GET " + many + " HTTP/1.0\r\n\r\n", "400"},
        {"GET " + q +
             " HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n0\r\n\r\n",
         "400"},
        {"GET " + q +
             " HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\nhello!",
         "400"},
        {"GET " + q + " HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello", "400"},
        {std::string("GET /highscores/orbolo/") + '\0' + q.substr(19) + " HTTP/1.0\r\n\r\n", "400"},
        {"GET /highscores/orbolo/\x01ishighscore.php HTTP/1.0\r\n\r\n", "400"},
        {"GET " + q + " HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
         "200"},
    };
    for (const auto& c : cases) {
        auto start = Clock::now();
        int s = Connect(server, "127.0.0.1");
        send(s, c.request.data(), c.request.size(), MSG_NOSIGNAL);
        std::string reply = ReadAll(s);
        close(s);
        EXPECT_EQ("HTTP/1.1 " + c.status, reply.substr(0, 12)) << c.request.substr(0, 60);
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1)) << c.request.substr(0, 60);
    }
    // Random damage to a good request: every request whose head is whole
    // is answered, within the time a request has.
    std::mt19937 random(27);
    const std::string good = "GET " + q + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";
    const std::string pieces[] = {std::string(1, '\0'),
                                  "\r",
                                  "\n",
                                  " ",
                                  "%00",
                                  "&",
                                  "?",
                                  "Content-Length: 3\r\n",
                                  "Transfer-Encoding: chunked\r\n",
                                  "\x80",
                                  "\xff",
                                  ":"};
    int unanswered = 0;
    for (int i = 0; i < 400; ++i) {
        std::string r = good;
        size_t at = 4 + random() % (r.size() - 8); // the method and the head's end stay
        r.insert(at, pieces[random() % std::size(pieces)]);
        int s = Connect(server, "127.0.0.1");
        send(s, r.data(), r.size(), MSG_NOSIGNAL);
        // Its status line; a connection kept open for more is not waited out.
        std::string reply;
        char part[512];
        for (ssize_t n; reply.size() < 12 && (n = recv(s, part, sizeof part, 0)) > 0;)
            reply.append(part, n);
        close(s);
        unanswered += reply.compare(0, 7, "HTTP/1.") != 0;
    }
    EXPECT_EQ(0, unanswered);
}

// 6,000 connections from 375 sources, each holding a request it never ends: the
// server stays within its memory budget and hands the memory back.
TEST(ScoreServerUnderAttack, ConnectionFloodsStayWithinTheMemoryBudget) {
    ScoreServerProcess server;
    const long start = ResidentKiB(server);
    std::vector<int> flood;
    const std::string head = "GET / HTTP/1.1\r\nX-Pad: " + std::string(3000, 'a') + "\r\n";
    long most = 0;
    for (int i = 0; i < 6000; ++i) {
        std::string source =
            "127.2." + std::to_string(i / 16 / 200) + "." + std::to_string(i / 16 % 200 + 1);
        int s = Connect(server, source.c_str());
        if (s < 0) continue;
        send(s, head.data(), head.size(), MSG_NOSIGNAL);
        flood.push_back(s);
        if (i % 800 == 0) most = std::max(most, ResidentKiB(server));
    }
    EXPECT_EQ("200 yes", Get(server, kQuery + "taeasy&submtdscore=1", "127.3.0.1"));
    most = std::max(most, ResidentKiB(server));
    EXPECT_LT(most, 64 * 1024);
    for (int s : flood)
        close(s);
    // Handed back within a few housekeeping rounds.
    long after = ResidentKiB(server);
    for (int i = 0; i < 100 && after > start + 8 * 1024; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        after = ResidentKiB(server);
    }
    EXPECT_LT(after, start + 8 * 1024) << "at start " << start << " KiB, most " << most;
}

TEST(ScoreServerUnderAttack, ADamagedOrUnwritableStoreIsRefusedWithItsReason) {
    const std::string folder = mkdtemp(std::string("/tmp/orbolo-broken-XXXXXX").data());
    const std::string good = folder + "/good.db", damaged = folder + "/damaged.db";
    const std::string scored = ORBOLO_SCORED_PATH;
    ASSERT_EQ(0, std::system((scored + " --db " + good + " ban 10.0.0.0/8 >/dev/null").c_str()));
    sqlite3* db = nullptr;
    sqlite3_open(good.c_str(), &db);
    ASSERT_EQ(SQLITE_OK,
              sqlite3_exec(db,
                           "PRAGMA journal_mode=DELETE; WITH RECURSIVE n(i) AS (SELECT 1"
                           " UNION ALL SELECT i + 1 FROM n WHERE i < 2000) INSERT INTO scores"
                           " (board, name, score, computer, submitted) SELECT 'taeasy',"
                           " 'NAME', i, 'M', 0 FROM n",
                           nullptr, nullptr, nullptr));
    sqlite3_close(db);
    std::filesystem::copy_file(good, damaged);
    {
        // Random pages from page 3 on, as a failing disk leaves them.
        std::fstream file(damaged, std::ios::in | std::ios::out | std::ios::binary);
        std::mt19937 random(3);
        const size_t size = std::filesystem::file_size(damaged);
        for (size_t at = 2 * 4096; at < size; ++at) {
            file.seekp(static_cast<std::streamoff>(at));
            file.put(static_cast<char>(random()));
        }
    }
    auto run = [&](const std::string& arguments) {
        std::string command = "timeout 10 " + arguments + " 2>&1";
        FILE* out = popen(command.c_str(), "r");
        std::string text;
        char buffer[512];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, out)) > 0;)
            text.append(buffer, n);
        return std::pair{text, WEXITSTATUS(pclose(out))};
    };
    auto [said, status] = run(scored + " --listen 127.0.0.1:0 --db " + damaged);
    EXPECT_EQ(1, status);
    EXPECT_EQ(0u, said.find("orbolo-scored: " + damaged + ": the database is damaged: ")) << said;
    said = run(scored + " --db " + damaged + " list").first;
    EXPECT_NE(std::string::npos, said.find("list failed: the database refused: database disk "
                                           "image is malformed"))
        << said;

    // Not writable by the server's user (root writes anything: the server
    // runs as nobody then).
    std::string asUser;
    if (geteuid() == 0) {
        asUser = "runuser -u nobody -- ";
        std::filesystem::permissions(folder, std::filesystem::perms(0755));
    } else {
        std::filesystem::permissions(good, std::filesystem::perms(0444));
    }
    std::tie(said, status) = run(asUser + scored + " --listen 127.0.0.1:0 --db " + good);
    EXPECT_EQ(1, status);
    EXPECT_EQ("orbolo-scored: " + good + ": attempt to write a readonly database\n", said);
    std::filesystem::remove_all(folder);
}

// A frozen database: requests that need it are answered 503 with
// Retry-After in bounded time, the rest without waiting; once it is back,
// the same submission is stored (its query was not used up). Across a
// restart no submission is blamed on the player.
TEST(PostgreSQLScoreServer, AFrozenOrRestartedDatabaseIsAnsweredBusyNeverRefused) {
    ScoreServerProcess server({"--db", Postgres().NewDatabase()});
    const std::string submit = kSubmit + "PAT&gamename=tseasy&score=120";
    EXPECT_EQ("200 yes", Get(server, kQuery + "tseasy&submtdscore=120"));
    EXPECT_EQ(200, std::atoi(Get(server, "/highscores/orbolo/").c_str())); // builds the page

    Postgres().Signal(SIGSTOP);
    std::atomic<bool> stuckAnswered{false};
    std::thread stuck([&] {
        auto start = Clock::now();
        std::string reply = Raw(server, submit);
        EXPECT_EQ(0u, reply.find("HTTP/1.1 503")) << reply;
        EXPECT_NE(std::string::npos, reply.find("Retry-After: 1\r\n")) << reply;
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500)) << Elapsed(start);
        stuckAnswered = true;
    });
    // Meanwhile, and while it waits for the database, others are answered.
    for (const std::string& target :
         {std::string("/nothing"), std::string("/highscores/orbolo/")}) {
        auto start = Clock::now();
        std::string reply = Get(server, target);
        EXPECT_TRUE(reply.starts_with("404") || reply.starts_with("200")) << reply;
        EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500)) << target << Elapsed(start);
    }
    stuck.join();
    ASSERT_TRUE(stuckAnswered);
    auto start = Clock::now();
    EXPECT_EQ("503", Get(server, kQuery + "tahard&submtdscore=7").substr(0, 3));
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500)) << Elapsed(start);
    Postgres().Signal(SIGCONT);
    bool stored = false;
    for (int i = 0; i < 50 && !stored; ++i) {
        std::string reply = Get(server, submit);
        ASSERT_TRUE(reply == "200 stored\n" || reply.starts_with("503")) << reply;
        stored = reply == "200 stored\n";
        if (!stored) std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    EXPECT_TRUE(stored);

    // Submissions from 20 sources while the database restarts: each is
    // stored or answered 503, and a 503 one is stored when sent again.
    std::vector<std::string> sources;
    for (int i = 0; i < 20; ++i) {
        sources.push_back("127.4.0." + std::to_string(i + 1));
        Get(server, kQuery + "taeasy&submtdscore=" + std::to_string(i), sources.back().c_str());
    }
    std::vector<std::string> replies(sources.size());
    std::thread restart([] { Postgres().Restart(); });
    for (size_t i = 0; i < sources.size(); ++i) {
        replies[i] = Get(server, kSubmit + "ANN&gamename=taeasy&score=" + std::to_string(i),
                         sources[i].c_str());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    restart.join();
    for (size_t i = 0; i < sources.size(); ++i) {
        for (int attempt = 0; attempt < 50 && replies[i].starts_with("503"); ++attempt) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            replies[i] = Get(server, kSubmit + "ANN&gamename=taeasy&score=" + std::to_string(i),
                             sources[i].c_str());
        }
        EXPECT_EQ("200 stored\n", replies[i]) << sources[i];
    }
}

} // namespace
