// The real orbolo-scored on loopback against clients that misbehave: slow
// and greedy ones, forged submissions, banned sources, a proxy, and the
// operator's subcommands while it runs. Extra sources are other addresses
// of 127.0.0.0/8, so per-source limits can be seen from one machine.
#include "server/score_server_process.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sqlite3.h>
#include <sys/socket.h>

#include <fstream>
#include <thread>

namespace {

const std::string kQuery = "/highscores/orbolo/ishighscore.php?gamename=";
const std::string kSubmit = "/highscores/orbolo/scoresubmitter.php?computer=M&name=";

// A connection from `source` to the server, or -1.
int Connect(const ScoreServerProcess& server, const char* source) {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in from{AF_INET, 0, {}, {}}, to{AF_INET, htons(server.Port()), {}, {}};
    inet_pton(AF_INET, source, &from.sin_addr);
    inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    if (bind(s, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
        connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        close(s);
        return -1;
    }
    timeval limit{10, 0}; // a hung server fails the test instead of stalling it
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    return s;
}

// Everything the server sends until it closes; "" when it only closes.
std::string ReadAll(int s) {
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = recv(s, buffer, sizeof buffer, 0)) > 0)
        text.append(buffer, n);
    return text;
}

// One GET from `source`: the status and body as "431" or "200 yes".
std::string Get(const ScoreServerProcess& server, const std::string& target,
                const char* source = "127.0.0.1", const std::string& headers = "") {
    int s = Connect(server, source);
    if (s < 0) return "no connection";
    std::string request = "GET " + target + " HTTP/1.0\r\n" + headers + "\r\n";
    send(s, request.data(), request.size(), MSG_NOSIGNAL);
    std::string reply = ReadAll(s);
    close(s);
    if (reply.size() < 12) return reply;
    size_t body = reply.find("\r\n\r\n");
    std::string text = reply.substr(9, 3);
    if (body != std::string::npos && body + 4 < reply.size()) text += " " + reply.substr(body + 4);
    return text;
}

// Runs a subcommand on the server's database; its output.
std::string Operator(const ScoreServerProcess& server, const std::string& command) {
    std::string line = std::string(ORBOLO_SCORED_PATH) + " --db " + server.DatabasePath() + " " +
                       command + " 2>&1";
    FILE* out = popen(line.c_str(), "r");
    std::string text;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, out)) > 0)
        text.append(buffer, n);
    pclose(out);
    return text;
}

// Waits until the server answers `target` as `expected` (bans reach it
// within a second), up to a generous bound.
bool AnswersSoon(const ScoreServerProcess& server, const std::string& target,
                 const std::string& expected, const char* source = "127.0.0.1") {
    for (int i = 0; i < 300; ++i) {
        if (Get(server, target, source) == expected) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

long ResidentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
    }
    return -1;
}

TEST(ScoreServerGuard, SlowClientsNeitherStallOthersNorStayForEver) {
    ScoreServerProcess server({"--request-seconds", "2"});
    // 100 connections, ten from each of ten sources, each stuck inside its
    // header lines.
    std::vector<int> slow;
    for (int i = 0; i < 100; ++i) {
        std::string source = "127.0.0." + std::to_string(10 + i / 10);
        int s = Connect(server, source.c_str());
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

TEST(ScoreServerGuard, HeaderFloodsAreRefusedWithMemoryBounded) {
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
    std::string many;
    for (int k = 0; k < 70; ++k)
        many += "X-" + std::to_string(k) + ": a\r\n";
    EXPECT_EQ("431", Get(server, "/highscores/orbolo/", "127.0.0.1", many).substr(0, 3));
    EXPECT_EQ("200 yes", Get(server, kQuery + "tshard&submtdscore=327670"));
}

TEST(ScoreServerGuard, OnlyWhatTheSameSourceAskedAboutIsStored) {
    ScoreServerProcess server({"--table-size", "1"});
    const std::string submit = kSubmit + "ANN&gamename=tshard&score=";
    EXPECT_EQ("403", Get(server, submit + "1230").substr(0, 3)); // never asked
    EXPECT_EQ("200 yes", Get(server, kQuery + "tshard&submtdscore=1230", "127.0.0.2"));
    EXPECT_EQ("403", Get(server, submit + "1230").substr(0, 3)); // another source asked
    EXPECT_EQ("403", Get(server, submit + "1240", "127.0.0.2").substr(0, 3)); // another value
    EXPECT_EQ("200 stored\n", Get(server, submit + "1230", "127.0.0.2"));
    EXPECT_EQ("403", Get(server, submit + "1230", "127.0.0.2").substr(0, 3)); // asked once
    EXPECT_EQ("200 no", Get(server, kQuery + "tshard&submtdscore=1230"));
    EXPECT_EQ("403", Get(server, submit + "1230").substr(0, 3)); // asked, but "no"
    EXPECT_EQ("400", Get(server, submit + "327680").substr(0, 3));
}

TEST(ScoreServerGuard, OperatorActsOnTheLiveServer) {
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
    for (int i = 0; i < 300 && Get(server, query, "127.0.0.1", viaProxy) != "403 forbidden\n"; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ("403 forbidden\n", Get(server, query, "127.0.0.1", viaProxy));
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
    EXPECT_EQ(0, system((std::string(ORBOLO_SCORED_PATH) + " --db " + copy +
                         " list tseasy | grep -q '^tseasy.1.ANN LEE.50.203.0.113.7'")
                            .c_str()));
    EXPECT_NE(std::string::npos, Operator(server, "ban 300.1.1.1").find("not an address"));
}

} // namespace
