#include "query_memory.h"

namespace {

// A game submits seconds after its query; ten minutes covers a slow typist.
constexpr int64_t kKeepSeconds = 600;
// Past this many remembered queries in a shard the oldest go first, so a
// flood of queries cannot grow the server without bound.
constexpr size_t kMostPerShard = 1 << 16;

std::string KeyOf(const std::string& address, const std::string& table, int score) {
    return address + '\n' + table + '\n' + std::to_string(score);
}

} // namespace

QueryMemory::Shard& QueryMemory::ShardOf(const std::string& key) {
    return shards[std::hash<std::string>{}(key) % shards.size()];
}

void QueryMemory::Remember(const std::string& address, const std::string& table, int score,
                           int64_t now) {
    std::string key = KeyOf(address, table, score);
    Shard& shard = ShardOf(key);
    std::lock_guard<std::mutex> lock(shard.mutex);
    shard.Forget(now);
    auto [found, added] = shard.asked.try_emplace(key, now);
    // One entry in `order` per key and second at most, however often asked.
    if (!added && found->second == now) return;
    found->second = now;
    shard.order.emplace_back(now, std::move(key));
}

bool QueryMemory::Take(const std::string& address, const std::string& table, int score, int64_t now,
                       int64_t maxAgeSeconds) {
    std::string key = KeyOf(address, table, score);
    Shard& shard = ShardOf(key);
    std::lock_guard<std::mutex> lock(shard.mutex);
    auto found = shard.asked.find(key);
    if (found == shard.asked.end()) return false;
    bool fresh = now - found->second <= maxAgeSeconds;
    shard.asked.erase(found);
    return fresh;
}

void QueryMemory::Shard::Forget(int64_t now) {
    while (!order.empty() &&
           (now - order.front().first > kKeepSeconds || order.size() > kMostPerShard)) {
        auto found = asked.find(order.front().second);
        // Only the key's latest query removes it.
        if (found != asked.end() && found->second == order.front().first) asked.erase(found);
        order.pop_front();
    }
}
