#include "database_health.h"

#include <chrono>

namespace {

constexpr int64_t kProbeEveryMs = 1000;

int64_t MonotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

bool DatabaseHealth::MayTry() {
    int64_t until = closedUntilMs.load(std::memory_order_relaxed);
    if (until == 0) return true;
    const int64_t now = MonotonicMs();
    // The first caller past the interval becomes the probe; the others
    // find the interval moved on.
    return now >= until && closedUntilMs.compare_exchange_strong(until, now + kProbeEveryMs);
}

void DatabaseHealth::Report(bool ok) {
    if (ok) {
        if (closedUntilMs.load(std::memory_order_relaxed) != 0) closedUntilMs = 0;
        return;
    }
    closedUntilMs = MonotonicMs() + kProbeEveryMs;
}
