// Which sources asked about which table and value lately: the trust rule
// lets a submission through only after such a query. Kept in memory with a
// bounded size; entries older than the longest wait anyone asks for go.
#pragma once
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

class QueryMemory {
  public:
    void Remember(const std::string& address, const std::string& table, int score, int64_t now);
    bool Take(const std::string& address, const std::string& table, int score, int64_t now,
              int64_t maxAgeSeconds);

  private:
    void Forget(int64_t now);

    std::mutex mutex;
    std::unordered_map<std::string, int64_t> asked;    // key -> time of the latest query
    std::deque<std::pair<int64_t, std::string>> order; // oldest first; may hold stale keys
};
