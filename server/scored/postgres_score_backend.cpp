#include "postgres_score_backend.h"

#include <libpq-fe.h>

#include <poll.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace {

// The same tables and columns as the SQLite store, so rows copy across as
// they are: entries keep their table ("board": "table" is a keyword), the
// game's computer field, when and where they came from, and for a
// verified entry its replay (a ranking of its own per table). The identity
// column orders equal values: the earlier entry ranks higher. Recent queries are
// UNLOGGED: a crash forgets them, which costs a player one more question
// but saves a WAL write on every query.
const char* const kSchema =
    "SET LOCAL client_min_messages = warning;\n" // no notice for each table that exists
    "CREATE TABLE IF NOT EXISTS scores ("
    " id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY,"
    " board TEXT NOT NULL,"
    " name TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " computer TEXT NOT NULL DEFAULT '',"
    " submitted BIGINT NOT NULL,"
    " address TEXT NOT NULL DEFAULT '');\n"
    "ALTER TABLE scores ADD COLUMN IF NOT EXISTS verified BOOLEAN NOT NULL DEFAULT false,"
    " ADD COLUMN IF NOT EXISTS replay BYTEA;\n"
    "DROP INDEX IF EXISTS scores_rank;\n"
    "CREATE INDEX IF NOT EXISTS scores_ranking ON scores (board, verified, score DESC, id);\n"
    "CREATE TABLE IF NOT EXISTS bans (range TEXT PRIMARY KEY);\n"
    "CREATE TABLE IF NOT EXISTS used_tokens (token TEXT PRIMARY KEY, expires BIGINT NOT NULL);\n"
    "CREATE TABLE IF NOT EXISTS settings (key TEXT PRIMARY KEY, value TEXT NOT NULL);\n"
    "CREATE UNLOGGED TABLE IF NOT EXISTS recent_queries ("
    " address TEXT NOT NULL,"
    " board TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " asked BIGINT NOT NULL,"
    " PRIMARY KEY (address, board, score));\n"
    "CREATE INDEX IF NOT EXISTS recent_queries_age ON recent_queries (asked);\n";

// First key of every advisory lock this program takes ("ORBL"); the second
// is the table's hash, or 0 while the schema is being created.
const char* const kLockTable = "SELECT pg_advisory_xact_lock(1330791500, hashtext($1))";
const char* const kLockSchema = "SELECT pg_advisory_xact_lock(1330791500, 0)";

constexpr int64_t kFreshMs = 100;

int64_t MonotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Recent queries older than this are pruned: far longer than any sensible
// trust window, short enough that a flood of queries cannot pile up.
constexpr int64_t kQueryMemorySeconds = 3600;

struct ClearResult {
    void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ClearResult>;

using Clock = std::chrono::steady_clock;

// Waits until the connection's socket is ready for `events` or `deadline`.
bool WaitFor(PGconn* connection, short events, Clock::time_point deadline) {
    pollfd p{PQsocket(connection), events, 0};
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        int ready = poll(&p, 1, static_cast<int>(left.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

// Sends one statement (with text parameters) or, without parameters,
// several in one string, and waits for its results until `deadline`. A
// statement still running then leaves the connection busy, so the pool
// drops it.
Result RunOnce(PGconn* connection, const char* sql, const std::vector<const char*>& values,
               Clock::time_point deadline) {
    int sent = values.empty() ? PQsendQuery(connection, sql)
                              : PQsendQueryParams(connection, sql, static_cast<int>(values.size()),
                                                  nullptr, values.data(), nullptr, nullptr, 0);
    if (!sent) return nullptr;
    int flushed = 0;
    while ((flushed = PQflush(connection)) == 1)
        if (!WaitFor(connection, POLLIN | POLLOUT, deadline)) return nullptr;
    if (flushed < 0) return nullptr;
    Result last;
    for (;;) {
        while (PQisBusy(connection)) {
            if (!WaitFor(connection, POLLIN, deadline) || !PQconsumeInput(connection))
                return nullptr;
        }
        PGresult* next = PQgetResult(connection);
        if (!next) break;
        last.reset(next); // of several statements, the last one's result counts
        ExecStatusType status = PQresultStatus(next);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            while (PGresult* rest = PQgetResult(connection))
                PQclear(rest); // the connection is ready again after an error
            return nullptr;
        }
    }
    return last;
}

// Opens a connection, giving up at `deadline` (libpq's own connect_timeout
// counts whole seconds, at least two).
PGconn* ConnectBy(const std::string& url, Clock::time_point deadline, std::string* error) {
    PGconn* c = PQconnectStart(url.c_str());
    PostgresPollingStatusType state = PGRES_POLLING_WRITING;
    while (c && PQstatus(c) != CONNECTION_BAD && state != PGRES_POLLING_OK &&
           state != PGRES_POLLING_FAILED) {
        if (!WaitFor(c, state == PGRES_POLLING_READING ? POLLIN : POLLOUT, deadline)) {
            if (error) *error = "the database did not answer in time";
            PQfinish(c);
            return nullptr;
        }
        state = PQconnectPoll(c);
    }
    if (c && PQstatus(c) == CONNECTION_OK) {
        PQsetnonblocking(c, 1);
        return c;
    }
    if (error) *error = c ? PQerrorMessage(c) : "out of memory";
    while (error && !error->empty() && error->back() == '\n')
        error->pop_back();
    PQfinish(c);
    return nullptr;
}

// libpq's last error without its closing newline.
std::string MessageOf(const PGconn* connection) {
    std::string message = PQerrorMessage(connection);
    while (!message.empty() && message.back() == '\n')
        message.pop_back();
    return message;
}

const char* Flag(bool value) {
    return value ? "true" : "false";
}

std::string ToHex(const std::string& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (unsigned char b : bytes) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

std::string FromHex(const std::string& hex) {
    auto value = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(value(hex[i]) * 16 + value(hex[i + 1]));
    return bytes;
}

std::string Text(const PGresult* result, int row, int column) {
    return PQgetvalue(result, row, column);
}
int64_t Integer(const PGresult* result, int row, int column) {
    return std::strtoll(PQgetvalue(result, row, column), nullptr, 10);
}

// Connections opened on demand, one per concurrent caller, and kept for
// the next: libpq connections must not be shared between threads.
class ConnectionPool {
  public:
    explicit ConnectionPool(std::string url) : url(std::move(url)) {}
    ~ConnectionPool() {
        for (PGconn* c : idle)
            PQfinish(c);
    }

    PGconn* Take(Clock::time_point deadline) {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!idle.empty()) {
                PGconn* c = idle.back();
                idle.pop_back();
                return c;
            }
        }
        return Open(deadline);
    }
    PGconn* Open(Clock::time_point deadline) {
        std::string error;
        PGconn* c = ConnectBy(url, deadline, &error);
        // The database's own limit for statements that wait on a lock held
        // elsewhere; a stalled server is caught by the deadline instead.
        if (c && !RunOnce(c, "SET statement_timeout = 2000", {}, deadline)) {
            error = MessageOf(c);
            PQfinish(c);
            c = nullptr;
        }
        if (!c) Failed(error);
        return c;
    }
    // A broken or busy connection, or one left inside a transaction, is
    // dropped: the next caller opens a fresh one (a restarted database
    // server); the database rolls back what it left.
    void Give(PGconn* c) {
        if (PQstatus(c) != CONNECTION_OK || PQtransactionStatus(c) != PQTRANS_IDLE) {
            PQfinish(c);
            return;
        }
        std::lock_guard<std::mutex> lock(mutex);
        idle.push_back(c);
    }
    void Failed(const std::string& why) {
        std::lock_guard<std::mutex> lock(mutex);
        lastError = why;
    }
    std::string LastError() {
        std::lock_guard<std::mutex> lock(mutex);
        return lastError;
    }

  private:
    const std::string url;
    std::mutex mutex;
    std::vector<PGconn*> idle;
    std::string lastError;
};

// One caller's connection and the time by which its work must be done.
class Lease {
  public:
    Lease(ConnectionPool& pool, std::chrono::milliseconds patience)
        : pool(pool), patience(patience), deadline(Clock::now() + patience),
          connection(pool.Take(deadline)) {}
    ~Lease() {
        if (connection) pool.Give(connection);
    }
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    explicit operator bool() const { return connection != nullptr; }

    // The statement's result; null when it failed (the reason kept for
    // LastError). A connection found broken outside a transaction (the
    // database server restarted since its last use) is opened again and the
    // statement sent once more, so no caller fails for it.
    Result Run(const char* sql, const std::vector<std::string>& parameters = {}) {
        if (!connection) return nullptr;
        std::vector<const char*> values;
        for (const std::string& p : parameters)
            values.push_back(p.c_str());
        const bool outside = PQtransactionStatus(connection) == PQTRANS_IDLE;
        for (int attempt = 0;; ++attempt) {
            if (Result result = RunOnce(connection, sql, values, deadline)) return result;
            if (PQtransactionStatus(connection) == PQTRANS_ACTIVE) {
                pool.Failed("the database did not answer within " +
                            std::to_string(patience.count()) + " ms");
                return nullptr;
            }
            pool.Failed(MessageOf(connection));
            if (attempt > 0 || !outside || PQstatus(connection) != CONNECTION_BAD) return nullptr;
            PQfinish(connection);
            if (!(connection = pool.Open(deadline))) return nullptr;
        }
    }

  private:
    ConnectionPool& pool;
    const std::chrono::milliseconds patience;
    const Clock::time_point deadline;
    PGconn* connection;
};

class PostgresScoreBackend : public ScoreBackend {
  public:
    PostgresScoreBackend(const std::string& url, int tableSize)
        : pool(url), tableSize(std::to_string(tableSize)) {}

    bool CreateSchema(std::string& error) {
        Lease c(pool, patience);
        if (!c) return false;
        // Two servers starting at once would race on CREATE ... IF NOT EXISTS.
        if (c.Run("BEGIN") && c.Run(kLockSchema) && c.Run(kSchema) && c.Run("COMMIT")) return true;
        error = pool.LastError();
        return false;
    }

    // A write the database must accept before the server answers anyone:
    // refused on a read-only server or without the right to insert.
    bool CheckHealth(std::string& error) override {
        Lease c(pool, patience);
        if (c && c.Run("BEGIN") &&
            c.Run("INSERT INTO bans (range) VALUES ('write check')"
                  " ON CONFLICT (range) DO UPDATE SET range = EXCLUDED.range") &&
            c.Run("ROLLBACK")) {
            return true;
        }
        error = "the database cannot be written: " + pool.LastError();
        return false;
    }

    std::string LastError() override { return pool.LastError(); }
    void SetPatience(std::chrono::milliseconds time) override { patience = time; }
    bool QueriesInProcess() const override { return false; }

    std::optional<bool> CachedWouldEnter(const std::string& table, int score,
                                         bool verified = false) override {
        std::lock_guard<std::mutex> lock(placesMutex);
        auto found = places.find(verified ? table + "+verified" : table);
        if (found == places.end() || MonotonicMs() - found->second.readAtMs >= kFreshMs)
            return std::nullopt;
        return Enters(found->second.score, score);
    }

    std::optional<bool> WouldEnter(const std::string& table, int score,
                                   bool verified = false) override {
        if (std::optional<bool> cached = CachedWouldEnter(table, score, verified)) return cached;
        const int64_t nowMs = MonotonicMs();
        const std::string ranking = verified ? table + "+verified" : table;
        const uint64_t generation = writes.load();
        Lease c(pool, patience);
        if (!c) return std::nullopt;
        Result last = c.Run("SELECT score FROM scores WHERE board = $1 AND verified = $3"
                            " ORDER BY score DESC, id LIMIT 1 OFFSET $2::bigint - 1",
                            {table, tableSize, Flag(verified)});
        if (!last) return std::nullopt;
        std::optional<int64_t> place;
        if (PQntuples(last.get()) > 0) place = Integer(last.get(), 0, 0);
        {
            std::lock_guard<std::mutex> lock(placesMutex);
            // Kept only when no write of this process came between.
            if (writes.load() == generation) places[ranking] = {nowMs, place};
        }
        return Enters(place, score);
    }

    std::vector<AddOutcome> AddAll(const std::vector<PendingEntry>& entries) override {
        std::vector<AddOutcome> outcomes;
        Lease c(pool, patience);
        if (c && c.Run("BEGIN")) {
            // Locks in one order in every process, so two batches never deadlock.
            std::set<std::string> tables;
            for (const PendingEntry& e : entries)
                tables.insert(e.submission.table);
            bool ok = true;
            for (const std::string& table : tables)
                ok = ok && c.Run(kLockTable, {table});
            for (size_t i = 0; ok && i < entries.size(); ++i) {
                std::optional<AddOutcome> outcome = AddOne(c, entries[i]);
                ok = outcome.has_value();
                if (ok) outcomes.push_back(*outcome);
            }
            if (ok && c.Run("COMMIT")) {
                ForgetLastPlaces();
                return outcomes;
            }
        }
        return std::vector<AddOutcome>(entries.size(), AddOutcome::Failed);
    }

    std::optional<std::vector<ScoreEntry>> Top(const std::string& table,
                                               bool verified = false) override {
        Lease c(pool, patience);
        if (!c) return std::nullopt;
        Result top = c.Run("SELECT name, score, submitted, id FROM scores WHERE board = $1"
                           " AND verified = $3 ORDER BY score DESC, id LIMIT $2::bigint",
                           {table, tableSize, Flag(verified)});
        if (!top) return std::nullopt;
        std::vector<ScoreEntry> out;
        for (int row = 0; row < PQntuples(top.get()); ++row) {
            out.push_back({Text(top.get(), row, 0), static_cast<int>(Integer(top.get(), row, 1)),
                           Integer(top.get(), row, 2), Integer(top.get(), row, 3), verified});
        }
        return out;
    }

    std::optional<StoredReplay> Replay(int64_t id) override {
        Lease c(pool, patience);
        if (!c) return std::nullopt;
        Result replay = c.Run("SELECT board, encode(replay, 'hex') FROM scores"
                              " WHERE id = $1 AND replay IS NOT NULL",
                              {std::to_string(id)});
        if (!replay || PQntuples(replay.get()) == 0) return std::nullopt;
        return StoredReplay{Text(replay.get(), 0, 0), FromHex(Text(replay.get(), 0, 1))};
    }

    std::optional<std::string> SharedSecret(const std::string& proposal) override {
        Lease c(pool, patience);
        if (!c) return std::nullopt;
        // Of several servers starting at once, the first one's key holds.
        Result secret = c.Run("INSERT INTO settings (key, value) VALUES ('token key', $1)"
                              " ON CONFLICT (key) DO UPDATE SET value = settings.value"
                              " RETURNING value",
                              {proposal});
        if (!secret || PQntuples(secret.get()) != 1) return std::nullopt;
        return Text(secret.get(), 0, 0);
    }

    std::optional<bool> UseToken(const std::string& token, int64_t expires, int64_t now) override {
        Lease c(pool, patience);
        if (!c) return std::nullopt;
        c.Run("DELETE FROM used_tokens WHERE expires < $1", {std::to_string(now)});
        // One INSERT: of two servers taking the same token, one gets it.
        Result used = c.Run("INSERT INTO used_tokens (token, expires) VALUES ($1, $2)"
                            " ON CONFLICT DO NOTHING RETURNING 1",
                            {token, std::to_string(expires)});
        if (!used) return std::nullopt;
        return PQntuples(used.get()) == 1;
    }

    void RememberQuery(const std::string& address, const std::string& table, int score,
                       int64_t now) override {
        Lease c(pool, patience);
        if (!c) return;
        c.Run("INSERT INTO recent_queries (address, board, score, asked) VALUES ($1, $2, $3, $4)"
              " ON CONFLICT (address, board, score) DO UPDATE SET asked = EXCLUDED.asked",
              {address, table, std::to_string(score), std::to_string(now)});
        // Pruned by whichever server comes first each minute; the others
        // find nothing left to delete.
        int64_t due = pruneDue.load();
        if (now >= due && pruneDue.compare_exchange_strong(due, now + 60)) {
            c.Run("DELETE FROM recent_queries WHERE asked < $1",
                  {std::to_string(now - kQueryMemorySeconds)});
        }
    }

    bool TakeQuery(const std::string& address, const std::string& table, int score, int64_t now,
                   int64_t maxAgeSeconds) override {
        Lease c(pool, patience);
        if (!c) return false;
        // One DELETE: of two servers taking the same query, one gets it.
        Result taken =
            c.Run("DELETE FROM recent_queries WHERE address = $1 AND board = $2"
                  " AND score = $3 AND asked >= $4 RETURNING 1",
                  {address, table, std::to_string(score), std::to_string(now - maxAgeSeconds)});
        return taken && PQntuples(taken.get()) > 0;
    }

    std::optional<std::vector<StoredEntry>> List(const std::string& table) override {
        Lease c(pool, patience);
        if (!c) return std::nullopt;
        Result rows = c.Run("SELECT board, place, name, score, address, submitted, verified, id"
                            " FROM (SELECT *, row_number() OVER (PARTITION BY board, verified"
                            "  ORDER BY score DESC, id) AS place"
                            "  FROM scores WHERE $1 = '' OR board = $1) ranked"
                            " ORDER BY board, verified DESC, place",
                            {table});
        if (!rows) return std::nullopt;
        std::vector<StoredEntry> out;
        for (int row = 0; row < PQntuples(rows.get()); ++row) {
            const PGresult* r = rows.get();
            out.push_back({Text(r, row, 0), static_cast<int>(Integer(r, row, 1)), Text(r, row, 2),
                           static_cast<int>(Integer(r, row, 3)), Text(r, row, 4),
                           Integer(r, row, 5), Text(r, row, 6) == "t", Integer(r, row, 7)});
        }
        return out;
    }

    std::optional<int> Delete(const std::string& table, const std::string& name) override {
        Lease c(pool, patience);
        if (!c) return std::nullopt;
        Result gone = c.Run("DELETE FROM scores WHERE board = $1 AND name = $2", {table, name});
        if (!gone) return std::nullopt;
        ForgetLastPlaces();
        return std::atoi(PQcmdTuples(gone.get()));
    }

    bool Ban(const std::string& range) override {
        Lease c(pool, patience);
        return c && c.Run("INSERT INTO bans (range) VALUES ($1) ON CONFLICT DO NOTHING", {range});
    }

    bool Unban(const std::string& range) override {
        Lease c(pool, patience);
        return c && c.Run("DELETE FROM bans WHERE range = $1", {range});
    }

    std::optional<std::vector<std::string>> Bans() override {
        Lease c(pool, patience);
        if (!c) return std::nullopt;
        Result rows = c.Run("SELECT range FROM bans ORDER BY range");
        if (!rows) return std::nullopt;
        std::vector<std::string> out;
        for (int row = 0; row < PQntuples(rows.get()); ++row)
            out.push_back(Text(rows.get(), row, 0));
        return out;
    }

    // A SQL file that psql replays: it creates what is missing and replaces
    // the entries and bans with the ones backed up, in one transaction.
    bool Backup(const std::string& file, std::string& error) override {
        Lease c(pool, patience);
        if (!c) return false;
        // One snapshot for both tables, while servers go on writing; the
        // database quotes the values itself (format's %L), in the order
        // first written, so equal values keep their places.
        Result entries, bans;
        if (!c.Run("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY") ||
            !(entries = c.Run("SELECT format('INSERT INTO scores (board, name, score,"
                              " computer, submitted, address, verified, replay) VALUES"
                              " (%L, %L, %s, %L, %s, %L, %L, %L);', board, name, score,"
                              " computer, submitted, address, verified, replay)"
                              " FROM scores ORDER BY id")) ||
            !(bans = c.Run("SELECT format('INSERT INTO bans (range) VALUES (%L);', range)"
                           " FROM bans ORDER BY range")) ||
            !c.Run("COMMIT")) {
            error = pool.LastError();
            return false;
        }
        std::string sql = "-- Orbolo highscores. Restore: psql -v ON_ERROR_STOP=1 -d URL -f FILE\n"
                          "BEGIN;\n";
        sql += kSchema;
        // Servers may keep answering; their writes wait until the restore is in.
        sql += "LOCK TABLE scores, bans IN EXCLUSIVE MODE;\n"
               "DELETE FROM scores;\nDELETE FROM bans;\n";
        for (const Result* lines : {&entries, &bans})
            for (int row = 0; row < PQntuples(lines->get()); ++row)
                sql += Text(lines->get(), row, 0) + "\n";
        sql += "COMMIT;\n";
        return WriteWhole(file, sql, error);
    }

  private:
    // The value at a table's last place, nullopt while the table is not full.
    struct LastPlace {
        int64_t readAtMs = 0;
        std::optional<int64_t> score;
    };
    // A table not full takes anyone; a tie ranks below the earlier entry.
    static bool Enters(std::optional<int64_t> lastPlace, int score) {
        return !lastPlace || score > *lastPlace;
    }
    void ForgetLastPlaces() {
        std::lock_guard<std::mutex> lock(placesMutex);
        ++writes;
        places.clear();
    }

    // Inserts, then trims the table; whether the new entry survived the trim.
    std::optional<AddOutcome> AddOne(Lease& c, const PendingEntry& e) {
        const ScoreSubmission& s = e.submission;
        if (!e.asker.empty()) {
            // Taken inside the transaction: a failed write gives it back.
            Result taken = c.Run("DELETE FROM recent_queries WHERE address = $1 AND board = $2"
                                 " AND score = $3 AND asked >= $4 RETURNING 1",
                                 {e.asker, s.table, std::to_string(s.score),
                                  std::to_string(e.submitted - e.askedWithinSeconds)});
            if (!taken) return std::nullopt;
            if (PQntuples(taken.get()) == 0) return AddOutcome::Unasked;
        }
        // A replay travels as bytea's hex text; NULL for an unverified entry.
        Result inserted =
            c.Run("INSERT INTO scores (board, name, score, computer, address, submitted,"
                  " verified, replay) VALUES ($1, $2, $3, $4, $5, $6, $7,"
                  " CASE WHEN $7 THEN $8::bytea END) RETURNING id",
                  {s.table, s.name, std::to_string(s.score), s.computer, e.address,
                   std::to_string(e.submitted), Flag(e.verified), "\\x" + ToHex(e.replay)});
        if (!inserted) return std::nullopt;
        std::string id = Text(inserted.get(), 0, 0);
        Result trimmed = c.Run("DELETE FROM scores WHERE id IN (SELECT id FROM scores"
                               " WHERE board = $1 AND verified = $3"
                               " ORDER BY score DESC, id OFFSET $2::bigint) RETURNING id",
                               {s.table, tableSize, Flag(e.verified)});
        if (!trimmed) return std::nullopt;
        for (int row = 0; row < PQntuples(trimmed.get()); ++row)
            if (Text(trimmed.get(), row, 0) == id) return AddOutcome::TrimmedAway;
        return AddOutcome::Stored;
    }

    // Written beside the target and renamed over it: a failed backup never
    // leaves half a file where the last good one was.
    static bool WriteWhole(const std::string& file, const std::string& text, std::string& error) {
        std::string part = file + ".part";
        FILE* out = std::fopen(part.c_str(), "w");
        bool ok = out && std::fwrite(text.data(), 1, text.size(), out) == text.size();
        if (out) ok = (std::fclose(out) == 0) && ok;
        if (ok && std::rename(part.c_str(), file.c_str()) == 0) return true;
        error = "cannot write " + file;
        std::remove(part.c_str());
        return false;
    }

    ConnectionPool pool;
    const std::string tableSize;
    // How long a call may wait for the database; a server answering
    // clients waits less than an operator's command.
    std::chrono::milliseconds patience{60000};
    std::atomic<int64_t> pruneDue{0};
    // Each table's last place, read again at most every kFreshMs and after
    // every write of this process, so most queries cost no round trip.
    // Another server's writes show within kFreshMs: a "yes" from a place
    // that just rose at worst leads to a submission trimmed away.
    std::mutex placesMutex;
    std::map<std::string, LastPlace> places;
    std::atomic<uint64_t> writes{0};
};

} // namespace

bool IsPostgresLocation(const std::string& location) {
    return location.starts_with("postgresql://") || location.starts_with("postgres://");
}

std::unique_ptr<ScoreBackend> OpenPostgresScoreBackend(const std::string& url, int tableSize,
                                                       std::string& error) {
    auto backend = std::make_unique<PostgresScoreBackend>(url, tableSize);
    if (!backend->CreateSchema(error)) return nullptr;
    return backend;
}
