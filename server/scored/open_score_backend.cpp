// Chooses the backend by the location's form.
#include "score_backend.h"
#include "sqlite_backend.h"

std::unique_ptr<ScoreBackend> OpenScoreBackend(const std::string& location, int tableSize,
                                               std::string& error) {
    return SqliteScoreBackend::Open(location, tableSize, error);
}
