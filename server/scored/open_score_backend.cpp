// Chooses the backend by the location's form. Part of orbolo-scored alone:
// the game opens its SQLite file directly and never links libpq.
#include "postgres_score_backend.h"
#include "score_backend.h"
#include "sqlite_backend.h"

std::unique_ptr<ScoreBackend> OpenScoreBackend(const std::string& location, int tableSize,
                                               std::string& error) {
    if (IsPostgresLocation(location)) return OpenPostgresScoreBackend(location, tableSize, error);
    return SqliteScoreBackend::Open(location, tableSize, error);
}
