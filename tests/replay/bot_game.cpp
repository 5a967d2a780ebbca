#include "replay/bot_game.h"

#include "game/rules/board_rules.h"
#include "game/rules/board_simulator.h"
#include "game/rules/game_state.h"
#include "game/rules/modes.h"
#include "game/rules/random.h"
#include "game/replay/game_recorder.h"
#include "game/replay/replay_steps.h"

#include <numeric>
#include <random>

namespace {

// The move that clears most balls by itself, ties broken at random; -1
// when the rules refuse every move. The look-ahead puts the game's state,
// generator and clock back after each try.
int ChooseMove(std::mt19937& choices) {
    const GameSettings s = settings;
    const GameCounters c = counters;
    const BoardState b = board;
    const uint64_t random = GameRandomState();
    const uint32_t now = NowStamp();
    auto restore = [&] {
        settings = s, counters = c, board = b;
        SeedGameRandom(random);
        SetFrameClock(now);
    };
    auto balls = [] {
        auto count = CountBalls();
        return std::accumulate(count.begin(), count.end(), 0);
    };
    int best = -1, bestGain = -1;
    BoardSimulator sim(15);
    const int before = balls();
    for (int code = 0; code < BoardMove::kCount; ++code) {
        restore();
        if (!sim.Play(BoardMove{code})) continue;
        const int gain = 16 * (before - balls()) + static_cast<int>(choices() % 16);
        if (gain > bestGain) bestGain = gain, best = code;
    }
    restore();
    return best;
}

} // namespace

uint64_t GameDigest() {
    uint64_t h = 1469598103934665603ull; // FNV-1a
    auto mix = [&h](const void* data, size_t size) {
        const auto* p = static_cast<const uint8_t*>(data);
        for (size_t i = 0; i < size; ++i)
            h = (h ^ p[i]) * 1099511628211ull;
    };
    const int16_t values[] = {counters.timeLeft,   counters.score,    counters.ballsLeft,
                              counters.movesLeft,  counters.gameOver, board.fallOffset,
                              board.clearing,      board.animStep,    board.slideLeftRow,
                              board.slideRightRow, board.slideStep,   board.spinState,
                              settings.gameSpeed};
    mix(values, sizeof values);
    mix(&counters.tableResult, sizeof counters.tableResult);
    mix(&board.spinAngle, sizeof board.spinAngle);
    mix(&board.cells, sizeof board.cells);
    return h;
}

BotGame PlayBotGame(uint64_t seed, uint32_t maxFrames) {
    std::mt19937 choices(static_cast<uint32_t>(seed));
    ResetGameState();
    settings.gameMode = static_cast<int16_t>(seed % 2 ? TimeAttack : TopScore);
    settings.difficulty = static_cast<int16_t>(1 + seed % 3);
    settings.gameSpeed = static_cast<int16_t>(1 + seed % 5);
    uint32_t now = static_cast<uint32_t>(choices());
    SetFrameClock(now);
    counters.lastTick = now - choices() % 5000; // left over from a game before
    board.fallTimer = now - choices() % 5000;
    SetGameTicketSource([seed] { return GameTicket{seed * 7919, "bot-token"}; });

    BotGame game;
    BeginRecordedGame();
    SetupGame();
    for (uint32_t frame = 0; frame < maxFrames; ++frame) {
        if (frame > 0) {
            // Mostly the display's pace; now and then a slow frame or a pause.
            const uint32_t roll = choices() % 1000;
            now += roll < 2    ? 500 + choices() % 3000
                   : roll < 50 ? 18 + choices() % 30
                               : 14 + choices() % 3;
            SetFrameClock(now);
            RecordFrame();
        }
        replay::RunFrameRules();
        if (counters.gameOver) {
            EndRecordedGame();
            game.digests.push_back(GameDigest());
            break;
        }
        if (choices() % 400 == 0) {
            const auto speed = static_cast<int16_t>(1 + choices() % 5);
            if (speed != settings.gameSpeed && replay::ApplyAction(replay::SpeedCode(speed)))
                RecordAction(replay::SpeedCode(speed));
        }
        // A player acts on a board at rest, and sometimes a little early.
        if ((BoardSimulator::Still() || choices() % 50 == 0) && choices() % 4 == 0) {
            const int code = ChooseMove(choices);
            if (code >= 0 && replay::ApplyAction(static_cast<uint8_t>(code)))
                RecordAction(static_cast<uint8_t>(code));
        }
        game.digests.push_back(GameDigest());
    }
    EndRecordedGame();
    SetGameTicketSource(nullptr);
    game.file = LastGameReplay();
    return game;
}
