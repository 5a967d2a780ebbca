// How long the game's highscore query blocks the main thread: against a live
// server on loopback (p50 and p99 over many queries), a server that is down,
// and one that accepts the connection and never answers. Default limits of
// the reader, as the game runs with them.
#include "framework/net/KUrlReader.h"
#include "game/game_state.h"
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

double QueryMilliseconds() {
    auto start = std::chrono::steady_clock::now();
    IsHighscore("tseasy");
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

} // namespace

int main(int argc, char** argv) {
    settings.gameMode = TopScore;
    counters.score = 123;
    KUrlReaderLimits limits = KUrlReader::GetLimits();
    std::printf("reader limits: connect %ld ms, total %ld ms\n", limits.connectMilliseconds,
                limits.totalMilliseconds);

    if (argc > 1) { // a live server's base address, e.g. http://127.0.0.1:8086
        SetScoreServerForTests(argv[1]);
        std::vector<double> times;
        for (int i = 0; i < 500; ++i)
            times.push_back(QueryMilliseconds());
        std::sort(times.begin(), times.end());
        std::printf("live server: 500 queries one after another, p50 %.2f ms, p99 %.2f ms\n",
                    times[times.size() / 2], times[times.size() * 99 / 100]);
    }

    int port = 0;
    int silent = ListenOnLoopback(port); // listens, never accepts
    SetScoreServerForTests(("http://127.0.0.1:" + std::to_string(port)).c_str());
    std::printf("hanging server: query blocks %.0f ms\n", QueryMilliseconds());
    close(silent);
    // The port is closed now: connections are refused.
    std::printf("server down: query blocks %.2f ms\n", QueryMilliseconds());
    return 0;
}
