// How long the player waits for the game's highscore query (the dialog goes
// on drawing meanwhile): against a live server on loopback (p50 and p99 over
// many queries), a server that is down, and one that accepts the connection
// and never answers. Default limits of the reader, as the game runs with them.
#include "framework/net/KUrlReader.h"
#include "game/panels/score_protocol.h"
#include "tests/net/loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double QueryMilliseconds(const std::string& server) {
    auto tables = MakeServerTables(server);
    auto start = std::chrono::steady_clock::now();
    tables->IsHighscore("tseasy", 1230);
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

} // namespace

int main(int argc, char** argv) {
    KUrlReaderLimits limits = KUrlReader::GetLimits();
    std::printf("reader limits: connect %ld ms, total %ld ms\n", limits.connectMilliseconds,
                limits.totalMilliseconds);

    if (argc > 1) { // a live server's base address, e.g. http://127.0.0.1:8086
        std::vector<double> times;
        for (int i = 0; i < 500; ++i)
            times.push_back(QueryMilliseconds(argv[1]));
        std::sort(times.begin(), times.end());
        std::printf("live server: 500 queries one after another, p50 %.2f ms, p99 %.2f ms\n",
                    times[times.size() / 2], times[times.size() * 99 / 100]);
    }

    int port = 0;
    int silent = ListenOnLoopback(port); // listens, never accepts
    const std::string address = "http://127.0.0.1:" + std::to_string(port);
    std::printf("hanging server: the player waits %.0f ms\n", QueryMilliseconds(address));
    close(silent);
    // The port is closed now: connections are refused.
    std::printf("server down: the player waits %.2f ms\n", QueryMilliseconds(address));
    return 0;
}
