// Which sources asked about which table and value lately: the trust rule
// lets a submission through only after such a query. Kept in memory with a
// bounded size; entries older than the longest wait anyone asks for go.
// Split into shards, each with its own lock, so that no query waits long
// behind another or behind a shard growing.
#pragma once
#include <array>
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
    struct Shard {
        std::mutex mutex;
        std::unordered_map<std::string, int64_t> asked;    // key -> time of the latest query
        std::deque<std::pair<int64_t, std::string>> order; // oldest first; may hold stale keys
        void Forget(int64_t now);
    };
    Shard& ShardOf(const std::string& key);

    std::array<Shard, 16> shards;
};
