#include "game/rules/game_state.h"

#include "game/rules/game_hooks.h"

#include <chrono>

GameSettings settings;
GameCounters counters;
BoardState board;
GameHooks gameHooks;

namespace {
int32_t (*rulesClock)() = nullptr;
uint32_t frameClock = 0; // read once per frame: every rule sees the same time

// Milliseconds of the monotonic clock, wrapped into 32 bits.
int32_t SteadyMilliseconds() {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}
} // namespace

void ResetGameState() {
    settings = GameSettings{};
    counters = GameCounters{};
    board = BoardState{};
}

uint32_t NowStamp() {
    return frameClock;
}

void ReadFrameClock() {
    frameClock = static_cast<uint32_t>(rulesClock ? rulesClock() : SteadyMilliseconds());
}

void SetFrameClock(uint32_t stamp) {
    frameClock = stamp;
}

void SetRulesClock(int32_t (*milliseconds)()) {
    rulesClock = milliseconds;
}

uint32_t MillisecondsSince(uint32_t stamp) {
    return NowStamp() - stamp;
}

bool SlideRunning() {
    return board.slideLeftRow != -1 || board.slideRightRow != -1;
}

bool BoardAnimating() {
    return SlideRunning() || board.spinState != NoSpin || board.clearing || board.fallOffset != 0;
}
