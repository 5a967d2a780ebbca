// What recorded games cost: file size per minute of play, and the CPU time
// the verifier takes to replay a ten-minute TimeAttack game and a long
// TopScore game (the score server's work per submitted game).
//   replay_bench [REAL_RECORDING...]
// Real recordings given (from the game, under $XDG_DATA_HOME/orbolo/) are
// measured as they are, and their frame gaps become the pace of the
// synthesized games; without one, frames alternate at random between 14
// and 15 ms, which is how the game paces itself on this machine kind.
#include "game/replay/replay_format.h"
#include "game/replay/replay_steps.h"
#include "game/replay/replay_verify.h"
#include "game/rules/board_rules.h"
#include "game/rules/board_simulator.h"
#include "game/rules/game_state.h"
#include "game/rules/random.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

std::mt19937 chance(2026);
std::vector<uint32_t> pace; // gaps to draw the synthesized games' frames from

int Balls() {
    int n = 0;
    for (int count : CountBalls())
        n += count;
    return n;
}

// The slide that clears most balls, looked ahead on the simulator with the
// game's state and generator put back after.
int BestSlide() {
    const GameSettings s = settings;
    const GameCounters c = counters;
    const BoardState b = board;
    const uint64_t random = GameRandomState();
    const uint32_t now = NowStamp();
    int best = 0, bestGain = -1;
    {
        BoardSimulator sim(15);
        const int before = Balls();
        for (int code = 0; code < 18; ++code) {
            settings = s, counters = c, board = b;
            if (!sim.Play(BoardMove{code})) continue;
            const int gain = 16 * (before - Balls()) + static_cast<int>(chance() % 16);
            if (gain > bestGain) bestGain = gain, best = code;
        }
    }
    settings = s, counters = c, board = b;
    SeedGameRandom(random);
    SetFrameClock(now);
    return best;
}

// A game played by a bot that slides a row every `thinkFrames` frames at
// rest, until it ends or reaches `maxFrames`.
replay::Replay PlayGame(uint8_t mode, uint32_t maxFrames, uint32_t thinkFrames) {
    replay::Replay game;
    game.header.gameMode = mode;
    game.header.difficulty = 3;
    game.header.seed = chance();
    ResetGameState();
    uint32_t now = 1000000;
    SetFrameClock(now);
    replay::SetUpRecordedGame(game.header);
    for (uint32_t frame = 0; frame < maxFrames; ++frame) {
        if (frame > 0) {
            const uint32_t gap = pace.empty() ? 14 + chance() % 2 : pace[chance() % pace.size()];
            game.frameGaps.push_back(gap);
            SetFrameClock(now += gap);
        }
        replay::RunFrameRules();
        if (counters.gameOver) break;
        if (frame % thinkFrames == 0 && BoardSimulator::Still()) {
            const auto code = static_cast<uint8_t>(BestSlide());
            if (replay::ApplyAction(code)) game.actions.push_back({frame, code});
        }
    }
    if (counters.gameOver) {
        game.header.outcome =
            counters.tableResult >= 0 ? replay::Outcome::Result : replay::Outcome::NoResult;
        game.header.claimedResult = std::max(counters.tableResult, 0);
    }
    return game;
}

double CpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void Report(const char* label, const std::vector<uint8_t>& file) {
    replay::Replay game;
    if (replay::ReadReplay(file.data(), file.size(), game) != replay::ReadError::None) {
        std::printf("%s: unreadable\n", label);
        return;
    }
    std::vector<double> costs;
    replay::ProvenGame proven;
    for (int run = 0; run < 7; ++run) {
        const double start = CpuMilliseconds();
        proven = replay::VerifyReplayBytes(file.data(), file.size());
        costs.push_back(CpuMilliseconds() - start);
    }
    std::sort(costs.begin(), costs.end());
    const double minutes = proven.lengthMilliseconds / 60000.0;
    std::printf("%s: %u frames, %.1f min, %zu actions, %zu bytes (%.0f bytes per minute), "
                "verified in %.1f ms CPU (median of 7; %s)\n",
                label, proven.frames, minutes, game.actions.size(), file.size(),
                minutes > 0 ? file.size() / minutes : 0.0, costs[3],
                replay::VerdictText(proven.verdict));
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
        Report(argv[i], file);
        replay::Replay real;
        if (replay::ReadReplay(file.data(), file.size(), real) == replay::ReadError::None)
            pace.insert(pace.end(), real.frameGaps.begin(), real.frameGaps.end());
    }
    // Ten minutes at the game's pace is about 43,000 frames.
    Report("TimeAttack, ten minutes", replay::WriteReplay(PlayGame(1, 43000, 90)));
    Report("TopScore, long", replay::WriteReplay(PlayGame(2, 300000, 40)));
    return 0;
}
