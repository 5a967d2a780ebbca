// What the two game requests must look like. The parameters arrive already
// URL-decoded; anything that does not match exactly is refused whole.
#pragma once
#include <map>
#include <optional>
#include <string>

using QueryParameters = std::multimap<std::string, std::string>;

struct ScoreQuery {
    std::string table;
    int score = 0;
};

struct ScoreSubmission {
    std::string table;
    int score = 0;
    std::string name;
    std::string computer;
};

// One of "taeasy", "taaverage", "tahard", "tseasy", "tsaverage", "tshard".
bool IsTableName(const std::string& text);
// A value the game can send for the table: TimeAttack seconds left, 0..32767;
// TopScore displayed points (the game's score times ten), 0..327670 in
// steps of ten. Decimal digits only: no sign, no blanks.
std::optional<int> ParseScore(const std::string& table, const std::string& text);
// 1 to 30 capital letters A..Z and blanks, not blanks alone, or the game's
// "chicken", which it sends for a player who typed no name.
bool IsPlayerName(const std::string& text);

// gamename and submtdscore, each exactly once, and nothing else.
std::optional<ScoreQuery> ParseQuery(const QueryParameters& parameters);
// name, score, computer and gamename, each exactly once, and nothing else.
std::optional<ScoreSubmission> ParseSubmission(const QueryParameters& parameters);
