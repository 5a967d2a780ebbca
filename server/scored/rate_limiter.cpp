#include "rate_limiter.h"

namespace {

constexpr auto kWindow = std::chrono::minutes(1);
// Past this many addresses, expired windows are dropped so that a stream of
// new addresses cannot grow the table without bound.
constexpr size_t kPruneAbove = 4096;

} // namespace

bool RateLimiter::Allow(const std::string& source, std::chrono::steady_clock::time_point now) {
    if (perMinute == 0) return true;
    std::lock_guard<std::mutex> lock(mutex);
    if (windows.size() > kPruneAbove) ForgetOldWindows(now);
    Window& window = windows[source];
    if (window.count == 0 || now - window.start >= kWindow) window = {now, 0};
    if (window.count >= perMinute) return false;
    ++window.count;
    return true;
}

void RateLimiter::ForgetOldWindows(std::chrono::steady_clock::time_point now) {
    std::erase_if(windows, [&](const auto& entry) { return now - entry.second.start >= kWindow; });
}
