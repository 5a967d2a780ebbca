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
#include <optional>
#include <string>
#include <unordered_map>

class QueryMemory {
  public:
    QueryMemory();
    void Remember(const std::string& address, const std::string& table, int score, int64_t now);
    // The time of the matching query no older than `maxAgeSeconds`, which is
    // forgotten; nullopt when there is none.
    std::optional<int64_t> Take(const std::string& address, const std::string& table, int score,
                                int64_t now, int64_t maxAgeSeconds);

  private:
    // A keyed 64-bit hash of address, table and value: a fixed-size key
    // keeps each remembered query small (about 50 bytes with its place in
    // the queue), and the key, chosen at start, keeps collisions out of
    // anyone's reach.
    using Key = uint64_t;
    struct Shard {
        std::mutex mutex;
        std::unordered_map<Key, int64_t> asked;    // key -> time of the latest query
        std::deque<std::pair<int64_t, Key>> order; // oldest first; may hold stale keys
        void Forget(int64_t now);
    };
    Key KeyOf(const std::string& address, const std::string& table, int score) const;
    Shard& ShardOf(Key key);

    const uint64_t secret;

    std::array<Shard, 16> shards;
};
