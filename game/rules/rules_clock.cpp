#include "game/rules/rules_clock.h"

#include <chrono>

namespace {
int32_t (*clockSource)() = nullptr;
} // namespace

int32_t RulesClockMilliseconds() {
    if (clockSource) return clockSource();
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(ms)));
}

void SetRulesClock(int32_t (*milliseconds)()) {
    clockSource = milliseconds;
}
