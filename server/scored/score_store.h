// The six highscore tables in one SQLite database (WAL mode). Larger values
// rank higher in every table; among equal values the earlier entry ranks
// higher. Each table keeps its best `tableSize` entries. One connection,
// used by one request at a time.
#pragma once
#include "validation.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

struct ScoreEntry {
    std::string name;
    int score = 0;
    int64_t submitted = 0; // seconds since 1970, UTC
};

class ScoreStore {
  public:
    ScoreStore() = default;
    ~ScoreStore();
    ScoreStore(const ScoreStore&) = delete;
    ScoreStore& operator=(const ScoreStore&) = delete;

    // Opens or creates the database; false with `error` set on failure.
    bool Open(const std::string& path, int tableSize, std::string& error);

    // Whether a value would earn a place in the table; nullopt on a
    // database failure.
    std::optional<bool> WouldEnter(const std::string& table, int score);
    // Stores the entry and trims the table; false on a database failure, in
    // which case nothing changed.
    bool Add(const ScoreSubmission& submission, int64_t submitted);
    // The table, best first; nullopt on a database failure.
    std::optional<std::vector<ScoreEntry>> Top(const std::string& table);

  private:
    bool Execute(const char* sql);

    std::mutex mutex;
    sqlite3* db = nullptr;
    int tableSize = 10;
};
