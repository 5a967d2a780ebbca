#include "game/rules/game_state.h"

#include "game/rules/game_hooks.h"
#include "game/rules/rules_clock.h"

GameSettings settings;
GameCounters counters;
BoardState board;
GameHooks gameHooks;

namespace {
uint32_t frameClock = 0;
}

void ResetGameState() {
    settings = GameSettings{};
    counters = GameCounters{};
    board = BoardState{};
}

uint32_t NowStamp() {
    return frameClock;
}

void ReadFrameClock() {
    frameClock = static_cast<uint32_t>(RulesClockMilliseconds());
}

void SetFrameClock(uint32_t stamp) {
    frameClock = stamp;
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
