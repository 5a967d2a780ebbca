// What verifying a recorded game costs the score server.
//   verification_bench cost
//     CPU per verification of a ten-minute TimeAttack game and of a long
//     TopScore game (bots recorded headless), and replay size per minute.
//   verification_bench upload BASE_URL DATABASE RATE SECONDS
//     uploads a bot's game RATE times a second, each with a fresh token
//     signed with the key in DATABASE (the server's), and prints how many
//     were stored and how long their answers took.
#include "game/replay/replay_verify.h"
#include "game/rules/game_state.h"
#include "game_token.h"
#include "score_backend.h"
#include "support/bot_recording.h"

#include <curl/curl.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

replay::Replay Game(int16_t mode, int16_t difficulty, uint32_t thinkFrames, uint64_t seed) {
    replay::ReplayHeader start;
    start.gameMode = static_cast<uint8_t>(mode);
    start.difficulty = static_cast<uint8_t>(difficulty);
    start.seed = seed;
    return RecordBotGame(start, {15, thinkFrames, 800000});
}

void Cost(const char* label, const replay::Replay& game) {
    const std::vector<uint8_t> bytes = replay::WriteReplay(game);
    std::vector<double> runs;
    replay::ProvenGame proven;
    for (int i = 0; i < 7; ++i) {
        const double start = CpuMs();
        proven = replay::VerifyReplayBytes(bytes.data(), bytes.size());
        runs.push_back(CpuMs() - start);
    }
    std::sort(runs.begin(), runs.end());
    const double minutes = proven.lengthMilliseconds / 60000.0;
    std::printf("%-30s %6.1f min %7u frames %5zu actions  verify %6.2f ms CPU (median of 7)  "
                "%6zu bytes, %5.0f bytes/min  %s\n",
                label, minutes, proven.frames, game.actions.size(), runs[runs.size() / 2],
                bytes.size(), bytes.size() / minutes, replay::VerdictText(proven.verdict));
}

size_t Discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

int Upload(const std::string& base, const std::string& database, double rate, double seconds) {
    std::string error;
    std::unique_ptr<ScoreBackend> store = OpenScoreBackend(database, 10, error);
    if (!store) return std::fprintf(stderr, "%s\n", error.c_str()), 1;
    const TokenSigner signer(store->SharedSecret("unused").value());
    replay::Replay game = Game(TopScore, 1, 2, 9);
    CURL* curl = curl_easy_init();
    const std::string url = base + "/highscores/orbolo/replaysubmitter.php?name=BENCH";
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto period = std::chrono::duration<double>(1.0 / rate);
    int sent = 0, stored = 0;
    const int64_t issued = std::time(nullptr) - 7200; // each token a second older: all differ
    std::vector<double> latencies;
    while (Clock::now() - start < std::chrono::duration<double>(seconds)) {
        game.header.token = signer.Issue({game.header.seed, issued - sent});
        const std::vector<uint8_t> bytes = replay::WriteReplay(game);
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(bytes.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, bytes.data());
        const auto sentAt = Clock::now();
        long status = 0;
        if (curl_easy_perform(curl) == CURLE_OK)
            curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        latencies.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - sentAt).count());
        stored += status == 200;
        ++sent;
        std::this_thread::sleep_until(start +
                                      std::chrono::duration_cast<Clock::duration>(period * sent));
    }
    curl_easy_cleanup(curl);
    std::sort(latencies.begin(), latencies.end());
    std::printf("uploads: %d sent (%.1f/s), %d answered 200, answer p50 %.1f ms p99 %.1f ms\n",
                sent, sent / seconds, stored, latencies[latencies.size() / 2],
                latencies[latencies.size() * 99 / 100]);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "cost") {
        // Hard TimeAttack with a slow bot: the clock runs out after ten minutes.
        Cost("TimeAttack hard, ten minutes", Game(TimeAttack, 3, 250, 1));
        Cost("TopScore hard, slow bot", Game(TopScore, 3, 2000, 2));
        Cost("TopScore easy, quick bot", Game(TopScore, 1, 2, 3));
        return 0;
    }
    if (mode == "upload" && argc == 6)
        return Upload(argv[2], argv[3], std::atof(argv[4]), std::atof(argv[5]));
    std::fprintf(stderr,
                 "usage: verification_bench cost | upload BASE_URL DATABASE RATE SECONDS\n");
    return 2;
}
