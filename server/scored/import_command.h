// `orbolo-scored --db TARGET import SOURCE`: copies every entry and ban of
// one store into another. The way from SQLite to PostgreSQL (or back), or
// two servers' tables merged: the target trims as usual and keeps the best.
#pragma once
#include "score_backend.h"

#include <optional>
#include <string>

struct CopyCount {
    int entries = 0; // copied
    int ranked = 0;  // of those, still in their table afterwards
    int bans = 0;
};

// All in one transaction for the entries; nullopt when either store fails.
std::optional<CopyCount> CopyScores(ScoreBackend& from, ScoreBackend& to);

// The subcommand: the process's exit status (0 done, 1 a database failed,
// 2 no such source).
int RunImport(ScoreBackend& target, const std::string& source);
