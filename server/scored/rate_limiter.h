// Counts requests per source in one-minute windows. Each request costs a
// hash lookup and at most a few steps of pruning, however many sources
// there are: windows are forgotten oldest first from a queue kept in the
// order they started, never by scanning the table.
#pragma once
#include <chrono>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

class RateLimiter {
  public:
    // `perMinute` 0: no limit.
    explicit RateLimiter(int perMinute) : perMinute(perMinute) {}

    // Counts one attempt; false when the source is over its limit.
    bool Allow(const std::string& source, std::chrono::steady_clock::time_point now);

  private:
    using Time = std::chrono::steady_clock::time_point;
    struct Window {
        Time start;
        int count = 0;
    };
    void ForgetOldWindows(Time now);

    int perMinute;
    std::mutex mutex;
    std::unordered_map<std::string, Window> windows;
    std::deque<std::pair<Time, std::string>> started; // oldest first; may hold replaced windows
};
