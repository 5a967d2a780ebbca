// The highscore tables in a PostgreSQL database, for several servers behind
// a load balancer: the entries, the bans and the trust rule's recent queries
// all live in the database, so every server sees the same ones. Writers to
// one table take a per-table advisory lock, so concurrent trims from
// different processes never keep more than `tableSize` entries or drop the
// wrong one.
#pragma once
#include "score_backend.h"

#include <memory>
#include <string>

// Whether `location` names a PostgreSQL database ("postgresql://" or
// "postgres://", as libpq takes them).
bool IsPostgresLocation(const std::string& location);

// Connects, creates the tables that are missing; nullptr with `error` set
// when the server cannot be reached or refuses.
std::unique_ptr<ScoreBackend> OpenPostgresScoreBackend(const std::string& url, int tableSize,
                                                       std::string& error);
