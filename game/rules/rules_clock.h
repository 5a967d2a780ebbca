// The clock the rules step on (NowStamp reads it): the system's monotonic
// clock unless a source is set. The game sets the framework's clock, the
// simulator its own.
#pragma once
#include <cstdint>

// Milliseconds from an arbitrary start, wrapping at 2^32.
int32_t RulesClockMilliseconds();
// nullptr restores the monotonic clock.
void SetRulesClock(int32_t (*milliseconds)());
