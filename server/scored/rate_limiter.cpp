#include "rate_limiter.h"

namespace {

constexpr auto kWindow = std::chrono::minutes(1);
// Past this many sources in a minute the oldest windows go early, so a
// stream of new addresses cannot grow the server without bound (about 8
// MiB at most); such a source only gets a fresh window.
constexpr size_t kMostSources = 1 << 16;
// Windows forgotten per request at most: with one window started per
// request, the queue still shrinks as fast as it grows.
constexpr int kForgetPerRequest = 4;

} // namespace

bool RateLimiter::Allow(const std::string& source, Time now) {
    if (perMinute == 0) return true;
    std::lock_guard<std::mutex> lock(mutex);
    ForgetOldWindows(now);
    auto [window, added] = windows.try_emplace(source);
    if (added || now - window->second.start >= kWindow) {
        window->second = {now, 0};
        started.emplace_back(now, source);
    }
    if (window->second.count >= perMinute) return false;
    ++window->second.count;
    return true;
}

void RateLimiter::ForgetOldWindows(Time now) {
    for (int i = 0; i < kForgetPerRequest && !started.empty(); ++i) {
        auto& [start, source] = started.front();
        if (now - start < kWindow && started.size() <= kMostSources) return;
        auto found = windows.find(source);
        // Only the queue entry of the source's current window removes it.
        if (found != windows.end() && found->second.start == start) windows.erase(found);
        started.pop_front();
    }
}
