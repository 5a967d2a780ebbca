#include "query_memory.h"

#include <random>

namespace {

// A game submits seconds after its query; ten minutes covers a slow typist.
constexpr int64_t kKeepSeconds = 600;
// Past this many remembered queries in a shard the oldest go first, so a
// flood of queries cannot grow the server without bound: 16 shards of
// 32,768, about 28 MiB at most, and 870 queries answered "yes" a second for
// ten minutes before an honest one is pushed out early.
constexpr size_t kMostPerShard = 1 << 15;

// 64-bit FNV-1a from a secret start, finished with a strong mixer.
uint64_t Mix(uint64_t hash, const std::string& text) {
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ULL;
    }
    hash ^= 0xff; // ends each field, so "ab"+"c" differs from "a"+"bc"
    hash *= 0x100000001b3ULL;
    return hash;
}

uint64_t Finish(uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

} // namespace

QueryMemory::QueryMemory()
    : secret((uint64_t{std::random_device{}()} << 32) ^ std::random_device{}()) {}

QueryMemory::Key QueryMemory::KeyOf(const std::string& address, const std::string& table,
                                    int score) const {
    uint64_t hash = Mix(Mix(Mix(secret, address), table), std::to_string(score));
    return Finish(hash ^ secret);
}

QueryMemory::Shard& QueryMemory::ShardOf(Key key) {
    return shards[(key >> 60) % shards.size()];
}

void QueryMemory::Remember(const std::string& address, const std::string& table, int score,
                           int64_t now) {
    const Key key = KeyOf(address, table, score);
    Shard& shard = ShardOf(key);
    std::lock_guard<std::mutex> lock(shard.mutex);
    shard.Forget(now);
    auto [found, added] = shard.asked.try_emplace(key, now);
    // One entry in `order` per key and second at most, however often asked.
    if (!added && found->second == now) return;
    found->second = now;
    shard.order.emplace_back(now, key);
}

std::optional<int64_t> QueryMemory::Take(const std::string& address, const std::string& table,
                                         int score, int64_t now, int64_t maxAgeSeconds) {
    const Key key = KeyOf(address, table, score);
    Shard& shard = ShardOf(key);
    std::lock_guard<std::mutex> lock(shard.mutex);
    auto found = shard.asked.find(key);
    if (found == shard.asked.end()) return std::nullopt;
    const int64_t asked = found->second;
    shard.asked.erase(found);
    if (now - asked > maxAgeSeconds) return std::nullopt;
    return asked;
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
