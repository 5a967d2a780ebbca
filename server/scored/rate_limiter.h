// Counts requests per source in one-minute windows.
#pragma once
#include <chrono>
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
    struct Window {
        std::chrono::steady_clock::time_point start;
        int count = 0;
    };
    void ForgetOldWindows(std::chrono::steady_clock::time_point now);

    int perMinute;
    std::mutex mutex;
    std::unordered_map<std::string, Window> windows;
};
