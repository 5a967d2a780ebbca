// Where the six highscore tables are kept: SQLite (one file, the embedded
// default, also linked into the game for tables kept on the player's own
// machine) or PostgreSQL (one database shared by several servers behind a
// load balancer). Every backend ranks the same way: larger values first,
// among equal values the earlier entry first. Each table holds two
// rankings, each keeping its best `tableSize` entries: verified entries
// (the server replayed the game and stores its replay) and entries the old
// requests sent, so unproven values never push out proven ones. Backends are safe to call from
// several threads and from several processes on the same database (operator subcommands run while
// the server does).
#pragma once
#include "validation.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One place of a table as the listing page shows it.
struct ScoreEntry {
    std::string name;
    int score = 0;
    int64_t submitted = 0; // seconds since 1970, UTC
    int64_t id = 0;        // the entry's number, which names its replay
    bool verified = false;
};

// One stored entry as an operator sees it.
struct StoredEntry {
    std::string table;
    int place = 0; // 1 = best
    std::string name;
    int score = 0;
    std::string
        address; // the source the submission came from; "" for entries older than that record
    int64_t submitted = 0;
    bool verified = false;
    int64_t id = 0;
};

// A submission about to be written, with where and when it came from.
struct PendingEntry {
    ScoreSubmission submission;
    std::string address;
    int64_t submitted = 0;
    // When not empty: written only if this source asked about the same
    // table and value within `askedWithinSeconds` (the query is taken in
    // the same transaction, so a failed write leaves it for a retry).
    std::string asker;
    int64_t askedWithinSeconds = 0;
    bool verified = false;
    std::string replay; // the recorded game that proved a verified entry
};

// A stored replay and the table of its entry.
struct StoredReplay {
    std::string table;
    std::string bytes;
};

// Stored: the entry is in its table after trimming. TrimmedAway: written,
// but it ranked below the last place and is gone. Unasked: its source had
// no matching query; not written. Failed: the database refused; nothing
// of the batch changed and no query was taken.
enum class AddOutcome { Stored, TrimmedAway, Unasked, Failed };

class ScoreBackend {
  public:
    virtual ~ScoreBackend() = default;

    // Whether a value would earn a place in the table's ranking; nullopt on a
    // database failure.
    virtual std::optional<bool> WouldEnter(const std::string& table, int score,
                                           bool verified = false) = 0;
    // The same from what this process read lately, without touching the
    // database; nullopt when it has nothing fresh.
    virtual std::optional<bool> CachedWouldEnter(const std::string& table, int score,
                                                 bool verified = false) = 0;
    // Whether RememberQuery and TakeQuery stay in this process's memory (no
    // database call, safe on an event loop).
    virtual bool QueriesInProcess() const = 0;
    // Before serving: false with `error` set when the store is damaged or
    // cannot be written.
    virtual bool CheckHealth(std::string& error) = 0;
    // The database's own words on the last failure.
    virtual std::string LastError() = 0;
    // From now on a call gives up on a database that keeps it waiting this
    // long: a server answering clients waits less than an operator.
    virtual void SetPatience(std::chrono::milliseconds time) = 0;
    // Writes the entries in one transaction, trimming each table after
    // each entry; one outcome per entry, in order (all Failed when the
    // transaction fails). Entries with an asker take their query first.
    virtual std::vector<AddOutcome> AddAll(const std::vector<PendingEntry>& entries) = 0;
    // One ranking of the table, best first; nullopt on a database failure.
    virtual std::optional<std::vector<ScoreEntry>> Top(const std::string& table,
                                                       bool verified = false) = 0;
    // The replay kept with entry `id`; nullopt when there is none (or the
    // entry left its table), or on a failure.
    virtual std::optional<StoredReplay> Replay(int64_t id) = 0;

    // Game tokens. SharedSecret returns the key every server on this
    // database signs tokens with, storing `proposal` when there is none yet;
    // nullopt on failure. UseToken marks a token spent until `expires`:
    // true the first time, false when any server already took it, nullopt
    // on a failure. Spent tokens past their expiry are forgotten.
    virtual std::optional<std::string> SharedSecret(const std::string& proposal) = 0;
    virtual std::optional<bool> UseToken(const std::string& token, int64_t expires,
                                         int64_t now) = 0;

    // The trust rule's memory: a submission counts only after a query for
    // the same table and value from the same source. RememberQuery records
    // one; TakeQuery consumes a matching one no older than `maxAgeSeconds`.
    virtual void RememberQuery(const std::string& address, const std::string& table, int score,
                               int64_t now) = 0;
    virtual bool TakeQuery(const std::string& address, const std::string& table, int score,
                           int64_t now, int64_t maxAgeSeconds) = 0;

    // Operator tools. `table` empty lists every table.
    virtual std::optional<std::vector<StoredEntry>> List(const std::string& table) = 0;
    // Removes a player's entries from a table: how many went; nullopt on failure.
    virtual std::optional<int> Delete(const std::string& table, const std::string& name) = 0;
    // Bans and unbans take an address or a CIDR range in canonical text.
    virtual bool Ban(const std::string& range) = 0;
    virtual bool Unban(const std::string& range) = 0;
    virtual std::optional<std::vector<std::string>> Bans() = 0;
    // A consistent copy of the whole database in `file`, taken while the
    // server may be writing; false with `error` set on failure.
    virtual bool Backup(const std::string& file, std::string& error) = 0;
};

// Opens or creates the store: "postgresql://..." (or "postgres://...")
// selects PostgreSQL, anything else is a SQLite file path. Existing
// databases are migrated in place with nothing lost. nullptr with `error`
// set on failure. Part of the orbolo_score_backends library, which links
// libpq: the game opens its file with SqliteScoreBackend::Open instead.
std::unique_ptr<ScoreBackend> OpenScoreBackend(const std::string& location, int tableSize,
                                               std::string& error);
