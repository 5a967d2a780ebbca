#include "validation.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

constexpr std::array<const char*, 6> kTables = {"taeasy", "taaverage", "tahard",
                                                "tseasy", "tsaverage", "tshard"};
constexpr size_t kMaxNameLength = 30;
constexpr size_t kMaxComputerLength = 16;

// True when the parameters hold each key once and no other key.
bool HasExactly(const QueryParameters& parameters, std::initializer_list<const char*> keys) {
    if (parameters.size() != keys.size()) return false;
    return std::all_of(keys.begin(), keys.end(),
                       [&](const char* key) { return parameters.count(key) == 1; });
}

const std::string& Value(const QueryParameters& parameters, const char* key) {
    return parameters.find(key)->second;
}

bool IsComputerTag(const std::string& text) {
    if (text.empty() || text.size() > kMaxComputerLength) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
}

} // namespace

bool IsTableName(const std::string& text) {
    return std::find(kTables.begin(), kTables.end(), text) != kTables.end();
}

std::optional<int> ParseScore(const std::string& table, const std::string& text) {
    // The game's counters are signed 16-bit; TopScore sends its counter x 10.
    const bool points = table.starts_with("ts");
    const int step = points ? 10 : 1;
    const int highest = 32767 * step;
    if (text.empty() || text.size() > 6) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > highest || value % step != 0) return std::nullopt;
    return value;
}

bool IsPlayerName(const std::string& text) {
    if (text == "chicken") return true;
    if (text.empty() || text.size() > kMaxNameLength) return false;
    if (text.find_first_not_of(' ') == std::string::npos) return false;
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= 'A' && c <= 'Z') || c == ' '; });
}

std::optional<ScoreQuery> ParseQuery(const QueryParameters& parameters) {
    if (!HasExactly(parameters, {"gamename", "submtdscore"})) return std::nullopt;
    const std::string& table = Value(parameters, "gamename");
    std::optional<int> score = ParseScore(table, Value(parameters, "submtdscore"));
    if (!IsTableName(table) || !score) return std::nullopt;
    return ScoreQuery{table, *score};
}

std::optional<ScoreSubmission> ParseSubmission(const QueryParameters& parameters) {
    if (!HasExactly(parameters, {"name", "score", "computer", "gamename"})) return std::nullopt;
    const std::string& table = Value(parameters, "gamename");
    const std::string& name = Value(parameters, "name");
    const std::string& computer = Value(parameters, "computer");
    std::optional<int> score = ParseScore(table, Value(parameters, "score"));
    if (!IsTableName(table) || !score || !IsPlayerName(name) || !IsComputerTag(computer)) {
        return std::nullopt;
    }
    return ScoreSubmission{table, *score, name, computer};
}
