#include "import_command.h"

#include "postgres_score_backend.h"

#include <cstdio>
#include <filesystem>

std::optional<CopyCount> CopyScores(ScoreBackend& from, ScoreBackend& to) {
    std::optional<std::vector<StoredEntry>> entries = from.List("");
    std::optional<std::vector<std::string>> bans = from.Bans();
    if (!entries || !bans) return std::nullopt;
    // Best first within each ranking, so equal values keep their order. The
    // game's computer field is shown nowhere and not copied; a verified
    // entry brings its replay.
    std::vector<PendingEntry> pending;
    for (const StoredEntry& e : *entries) {
        std::string replay;
        if (e.verified) {
            std::optional<StoredReplay> stored = from.Replay(e.id);
            if (!stored) return std::nullopt;
            replay = std::move(stored->bytes);
        }
        pending.push_back(
            {{e.table, e.score, e.name, ""}, e.address, e.submitted, "", 0, e.verified, replay});
    }
    CopyCount count;
    for (AddOutcome outcome : to.AddAll(pending)) {
        if (outcome == AddOutcome::Failed) return std::nullopt;
        ++count.entries;
        if (outcome == AddOutcome::Stored) ++count.ranked;
    }
    for (const std::string& range : *bans) {
        if (!to.Ban(range)) return std::nullopt;
        ++count.bans;
    }
    return count;
}

int RunImport(ScoreBackend& target, const std::string& source) {
    // Opening a missing SQLite file would create it empty: say so instead.
    if (!IsPostgresLocation(source) && !std::filesystem::is_regular_file(source)) {
        std::fprintf(stderr, "orbolo-scored: no database file %s\n", source.c_str());
        return 2;
    }
    std::string error;
    // The table size only matters for writing, which the source never sees.
    std::unique_ptr<ScoreBackend> from = OpenScoreBackend(source, 1000, error);
    if (!from) {
        std::fprintf(stderr, "orbolo-scored: %s: %s\n", source.c_str(), error.c_str());
        return 1;
    }
    std::optional<CopyCount> count = CopyScores(*from, target);
    if (!count) {
        // Either side may have refused: each says why, or nothing.
        std::string why = target.LastError();
        if (why.empty()) why = from->LastError();
        std::fprintf(stderr, "orbolo-scored: import from %s failed: the database refused: %s\n",
                     source.c_str(), why.empty() ? "no reason given" : why.c_str());
        return 1;
    }
    std::printf("imported %d entries (%d of them ranked in their tables) and %d bans from %s\n",
                count->entries, count->ranked, count->bans, source.c_str());
    return 0;
}
