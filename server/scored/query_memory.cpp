#include "query_memory.h"

namespace {

// A game submits seconds after its query; ten minutes covers a slow typist.
constexpr int64_t kKeepSeconds = 600;
// Past this many remembered queries the oldest go first, so a flood of
// queries cannot grow the server without bound.
constexpr size_t kMostRemembered = 1 << 20;

std::string KeyOf(const std::string& address, const std::string& table, int score) {
    return address + '\n' + table + '\n' + std::to_string(score);
}

} // namespace

void QueryMemory::Remember(const std::string& address, const std::string& table, int score,
                           int64_t now) {
    std::string key = KeyOf(address, table, score);
    std::lock_guard<std::mutex> lock(mutex);
    Forget(now);
    auto [found, added] = asked.try_emplace(key, now);
    // One entry in `order` per key and second at most, however often asked.
    if (!added && found->second == now) return;
    found->second = now;
    order.emplace_back(now, std::move(key));
}

bool QueryMemory::Take(const std::string& address, const std::string& table, int score, int64_t now,
                       int64_t maxAgeSeconds) {
    std::lock_guard<std::mutex> lock(mutex);
    auto found = asked.find(KeyOf(address, table, score));
    if (found == asked.end()) return false;
    bool fresh = now - found->second <= maxAgeSeconds;
    asked.erase(found);
    return fresh;
}

void QueryMemory::Forget(int64_t now) {
    while (!order.empty() &&
           (now - order.front().first > kKeepSeconds || order.size() > kMostRemembered)) {
        auto found = asked.find(order.front().second);
        // Only the key's latest query removes it.
        if (found != asked.end() && found->second == order.front().first) asked.erase(found);
        order.pop_front();
    }
}
