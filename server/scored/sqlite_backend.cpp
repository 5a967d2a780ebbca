#include "sqlite_backend.h"

#include <chrono>
#include <filesystem>

namespace {

constexpr int64_t kFreshMs = 100;

int64_t MonotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Version 1 had no address column and no bans, version 2 no verified
// entries; ALTER keeps every entry (old ones are unverified).
const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS scores ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " board TEXT NOT NULL,"
    " name TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " computer TEXT NOT NULL,"
    " submitted INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS bans (range TEXT PRIMARY KEY);"
    "CREATE TABLE IF NOT EXISTS used_tokens (token TEXT PRIMARY KEY, expires INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS settings (key TEXT PRIMARY KEY, value TEXT NOT NULL);";
const char* const kAddAddress = "ALTER TABLE scores ADD COLUMN address TEXT NOT NULL DEFAULT ''";
const char* const kAddVerified =
    "ALTER TABLE scores ADD COLUMN verified INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE scores ADD COLUMN replay BLOB;";
// Each ranking is one index range: (table, kind) ordered as it ranks.
const char* const kRankIndex =
    "DROP INDEX IF EXISTS scores_rank;"
    "CREATE INDEX IF NOT EXISTS scores_ranking ON scores(board, verified, score DESC, id);";

bool Execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool HasColumn(sqlite3* db, const char* table, const char* column) {
    SqliteStatement info(db, (std::string("PRAGMA table_info(") + table + ")").c_str());
    while (info.Ok() && info.Step() == SQLITE_ROW) {
        if (info.Text(1) == column) return true;
    }
    return false;
}

sqlite3* Connect(const std::string& path, std::string& error) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "cannot open the database";
        sqlite3_close(db);
        return nullptr;
    }
    // Another process (an operator subcommand, a backup) may hold the lock
    // for a moment: wait for it rather than fail.
    sqlite3_busy_timeout(db, 5000);
    return db;
}

} // namespace

SqliteScoreBackend::~SqliteScoreBackend() {
    // Statements go before their connections.
    reader.lastPlace.reset();
    reader.top.reset();
    writer.insert.reset();
    writer.count.reset();
    writer.dropLast.reset();
    writer.kept.reset();
    sqlite3_close(reader.db);
    sqlite3_close(writer.db);
}

std::unique_ptr<SqliteScoreBackend> SqliteScoreBackend::Open(const std::string& path, int tableSize,
                                                             std::string& error) {
    std::unique_ptr<SqliteScoreBackend> store(new SqliteScoreBackend);
    store->tableSize = tableSize;
    store->path = path;
    Writer& w = store->writer;
    if (!(w.db = Connect(path, error))) return nullptr;
    // WAL lets the reader go on during a write. FULL syncs the log at every
    // commit: an entry answered "stored" survives a power cut. Submissions
    // share commits, so the sync is paid once per group.
    bool ok = Execute(w.db, "PRAGMA journal_mode=WAL;") &&
              Execute(w.db, "PRAGMA synchronous=FULL;") && Execute(w.db, "BEGIN IMMEDIATE;") &&
              Execute(w.db, kSchema) &&
              (HasColumn(w.db, "scores", "address") || Execute(w.db, kAddAddress)) &&
              (HasColumn(w.db, "scores", "verified") || Execute(w.db, kAddVerified)) &&
              Execute(w.db, kRankIndex) && Execute(w.db, "COMMIT;");
    if (!ok) {
        error = sqlite3_errmsg(w.db);
        return nullptr;
    }
    w.insert = std::make_unique<SqliteStatement>(
        w.db, "INSERT INTO scores (board, name, score, computer, submitted, address, verified,"
              " replay) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    w.count = std::make_unique<SqliteStatement>(
        w.db, "SELECT count(*) FROM scores WHERE board = ?1 AND verified = ?2");
    // The last place goes: one step down the index, however long the table.
    w.dropLast = std::make_unique<SqliteStatement>(
        w.db, "DELETE FROM scores WHERE id = (SELECT id FROM scores WHERE board = ?1"
              " AND verified = ?2 ORDER BY score ASC, id DESC LIMIT 1)");
    w.kept = std::make_unique<SqliteStatement>(w.db, "SELECT 1 FROM scores WHERE id = ?1");
    Reader& r = store->reader;
    if (!(r.db = Connect(path, error))) return nullptr;
    r.lastPlace = std::make_unique<SqliteStatement>(
        r.db, "SELECT score FROM scores WHERE board = ?1 AND verified = ?3"
              " ORDER BY score DESC, id ASC LIMIT 1 OFFSET ?2");
    r.top = std::make_unique<SqliteStatement>(
        r.db, "SELECT name, score, submitted, id FROM scores WHERE board = ?1 AND verified = ?3"
              " ORDER BY score DESC, id ASC LIMIT ?2");
    if (!w.insert->Ok() || !w.count->Ok() || !w.dropLast->Ok() || !w.kept->Ok() ||
        !r.lastPlace->Ok() || !r.top->Ok()) {
        error = sqlite3_errmsg(w.db);
        return nullptr;
    }
    return store;
}

bool SqliteScoreBackend::Failed(sqlite3* db) {
    std::lock_guard<std::mutex> lock(errorMutex);
    lastError = sqlite3_errmsg(db);
    return false;
}

void SqliteScoreBackend::SetPatience(std::chrono::milliseconds time) {
    std::scoped_lock lock(readMutex, writeMutex);
    sqlite3_busy_timeout(reader.db, static_cast<int>(time.count()));
    sqlite3_busy_timeout(writer.db, static_cast<int>(time.count()));
}

std::string SqliteScoreBackend::LastError() {
    std::lock_guard<std::mutex> lock(errorMutex);
    return lastError;
}

// quick_check reads every page; the write test commits a real change (a
// table made and dropped), which a read-only file or folder, a full disk
// or a lock held elsewhere refuses.
bool SqliteScoreBackend::CheckHealth(std::string& error) {
    std::lock_guard<std::mutex> lock(writeMutex);
    std::string damage;
    {
        SqliteStatement check(writer.db, "PRAGMA quick_check(5)");
        int rc = 0;
        while (check.Ok() && (rc = check.Step()) == SQLITE_ROW) {
            if (check.Text(0) != "ok") damage += (damage.empty() ? "" : "; ") + check.Text(0);
        }
        if (!check.Ok() || (rc != SQLITE_DONE && damage.empty()))
            damage = sqlite3_errmsg(writer.db);
    }
    if (!damage.empty()) {
        error = "the database is damaged: " + damage;
        return false;
    }
    if (sqlite3_db_readonly(writer.db, "main") == 1) {
        error = "the database cannot be written: the file is read-only";
        return false;
    }
    if (!Execute(writer.db, "BEGIN IMMEDIATE; CREATE TABLE write_check (x);"
                            " DROP TABLE write_check; COMMIT;")) {
        error = std::string("the database cannot be written: ") + sqlite3_errmsg(writer.db);
        Execute(writer.db, "ROLLBACK;");
        return false;
    }
    return true;
}

std::optional<bool> SqliteScoreBackend::CachedWouldEnter(const std::string& table, int score,
                                                         bool verified) {
    std::lock_guard<std::mutex> lock(lastPlacesMutex);
    auto found = lastPlaces.find(verified ? table + "+verified" : table);
    if (found == lastPlaces.end() || MonotonicMs() - found->second.readAtMs >= kFreshMs)
        return std::nullopt;
    // A tie ranks below the earlier entry; a table not full takes anyone.
    return !found->second.full || score > found->second.score;
}

std::optional<bool> SqliteScoreBackend::WouldEnter(const std::string& table, int score,
                                                   bool verified) {
    if (std::optional<bool> cached = CachedWouldEnter(table, score, verified)) return cached;
    const int64_t now = MonotonicMs();
    const std::string ranking = verified ? table + "+verified" : table;
    const uint64_t generation = writes.load();
    std::lock_guard<std::mutex> lock(readMutex);
    SqliteStatement& last = reader.lastPlace->Reset();
    last.Bind(1, table).Bind(2, int64_t{tableSize - 1}).Bind(3, int64_t{verified});
    int rc = last.Step();
    LastPlace place{now, rc == SQLITE_ROW, rc == SQLITE_ROW ? last.Integer(0) : 0};
    last.Reset(); // ends the read so checkpoints are not held back
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        Failed(reader.db);
        return std::nullopt;
    }
    {
        std::lock_guard<std::mutex> places(lastPlacesMutex);
        // Kept only when no write of this process came between.
        if (writes.load() == generation) lastPlaces[ranking] = place;
    }
    return !place.full || score > place.score;
}

void SqliteScoreBackend::ForgetLastPlaces() {
    std::lock_guard<std::mutex> lock(lastPlacesMutex);
    ++writes;
    lastPlaces.clear();
}

std::optional<int64_t> SqliteScoreBackend::CountRows(const std::string& table, bool verified) {
    SqliteStatement& count = writer.count->Reset();
    count.Bind(1, table).Bind(2, int64_t{verified});
    std::optional<int64_t> rows;
    if (count.Step() == SQLITE_ROW) rows = count.Integer(0);
    count.Reset();
    return rows;
}

std::vector<AddOutcome> SqliteScoreBackend::AddAll(const std::vector<PendingEntry>& entries) {
    std::vector<AddOutcome> outcomes(entries.size(), AddOutcome::Failed);
    // The queries are in this process: taken now, given back when the
    // transaction fails, so the client's retry still finds its query.
    std::vector<std::optional<int64_t>> asked(entries.size());
    auto giveBack = [&] {
        for (size_t i = 0; i < entries.size(); ++i) {
            const PendingEntry& e = entries[i];
            if (asked[i])
                queries.Remember(e.asker, e.submission.table, e.submission.score, *asked[i]);
        }
        return std::vector<AddOutcome>(entries.size(), AddOutcome::Failed);
    };
    for (size_t i = 0; i < entries.size(); ++i) {
        const PendingEntry& e = entries[i];
        if (e.asker.empty()) continue;
        asked[i] = queries.Take(e.asker, e.submission.table, e.submission.score, e.submitted,
                                e.askedWithinSeconds);
        if (!asked[i]) outcomes[i] = AddOutcome::Unasked;
    }
    std::lock_guard<std::mutex> lock(writeMutex);
    if (!Execute(writer.db, "BEGIN IMMEDIATE;")) {
        Failed(writer.db);
        return giveBack();
    }
    // Counted once per group: nobody else writes while this transaction
    // holds the lock, so each entry then costs a few index steps.
    std::map<std::pair<std::string, bool>, int64_t> rows;
    bool ok = true;
    for (size_t i = 0; ok && i < entries.size(); ++i) {
        const PendingEntry& entry = entries[i];
        if (outcomes[i] == AddOutcome::Unasked) continue;
        const std::string& table = entry.submission.table;
        const int64_t verified = entry.verified;
        auto counted = rows.find({table, entry.verified});
        if (counted == rows.end()) {
            std::optional<int64_t> count = CountRows(table, entry.verified);
            if (!(ok = count.has_value())) break;
            counted = rows.emplace(std::pair{table, entry.verified}, *count).first;
        }
        SqliteStatement& insert = writer.insert->Reset();
        insert.Bind(1, table)
            .Bind(2, entry.submission.name)
            .Bind(3, int64_t{entry.submission.score})
            .Bind(4, entry.submission.computer)
            .Bind(5, entry.submitted)
            .Bind(6, entry.address)
            .Bind(7, verified);
        if (entry.verified) insert.BindBlob(8, entry.replay);
        ok = insert.Step() == SQLITE_DONE;
        const int64_t id = sqlite3_last_insert_rowid(writer.db);
        ++counted->second;
        // Trimmed to the table's size; more than one goes only when the
        // size was lowered since the last write.
        while (ok && counted->second > tableSize) {
            SqliteStatement& drop = writer.dropLast->Reset();
            drop.Bind(1, table).Bind(2, verified);
            ok = drop.Step() == SQLITE_DONE && sqlite3_changes(writer.db) == 1;
            --counted->second;
        }
        SqliteStatement& kept = writer.kept->Reset();
        kept.Bind(1, id);
        int rc = ok ? kept.Step() : SQLITE_ERROR;
        ok = ok && (rc == SQLITE_ROW || rc == SQLITE_DONE);
        outcomes[i] = rc == SQLITE_ROW ? AddOutcome::Stored : AddOutcome::TrimmedAway;
        kept.Reset();
    }
    if (ok && Execute(writer.db, "COMMIT;")) {
        ForgetLastPlaces();
        return outcomes;
    }
    Failed(writer.db);
    Execute(writer.db, "ROLLBACK;");
    return giveBack();
}

std::optional<std::vector<ScoreEntry>> SqliteScoreBackend::Top(const std::string& table,
                                                               bool verified) {
    std::lock_guard<std::mutex> lock(readMutex);
    SqliteStatement& top = reader.top->Reset();
    top.Bind(1, table).Bind(2, int64_t{tableSize}).Bind(3, int64_t{verified});
    std::vector<ScoreEntry> entries;
    int rc = 0;
    while ((rc = top.Step()) == SQLITE_ROW) {
        entries.push_back({top.Text(0), static_cast<int>(top.Integer(1)), top.Integer(2),
                           top.Integer(3), verified});
    }
    top.Reset();
    if (rc != SQLITE_DONE) {
        Failed(reader.db);
        return std::nullopt;
    }
    return entries;
}

void SqliteScoreBackend::RememberQuery(const std::string& address, const std::string& table,
                                       int score, int64_t now) {
    queries.Remember(address, table, score, now);
}

bool SqliteScoreBackend::TakeQuery(const std::string& address, const std::string& table, int score,
                                   int64_t now, int64_t maxAgeSeconds) {
    return queries.Take(address, table, score, now, maxAgeSeconds).has_value();
}

std::optional<std::vector<StoredEntry>> SqliteScoreBackend::List(const std::string& table) {
    std::lock_guard<std::mutex> lock(readMutex);
    SqliteStatement list(reader.db,
                         "SELECT board, name, score, address, submitted, verified, id FROM scores"
                         " WHERE ?1 = '' OR board = ?1"
                         " ORDER BY board, verified DESC, score DESC, id ASC");
    if (!list.Ok()) {
        Failed(reader.db);
        return std::nullopt;
    }
    list.Bind(1, table);
    std::vector<StoredEntry> entries;
    int rc = 0;
    while ((rc = list.Step()) == SQLITE_ROW) {
        StoredEntry entry{list.Text(0),         1,
                          list.Text(1),         static_cast<int>(list.Integer(2)),
                          list.Text(3),         list.Integer(4),
                          list.Integer(5) != 0, list.Integer(6)};
        if (!entries.empty() && entries.back().table == entry.table &&
            entries.back().verified == entry.verified) {
            entry.place = entries.back().place + 1;
        }
        entries.push_back(std::move(entry));
    }
    if (rc != SQLITE_DONE) {
        Failed(reader.db);
        return std::nullopt;
    }
    return entries;
}

std::optional<StoredReplay> SqliteScoreBackend::Replay(int64_t id) {
    std::lock_guard<std::mutex> lock(readMutex);
    SqliteStatement replay(reader.db,
                           "SELECT board, replay FROM scores WHERE id = ?1 AND replay IS NOT NULL");
    if (!replay.Ok()) return std::nullopt;
    replay.Bind(1, id);
    if (replay.Step() != SQLITE_ROW) return std::nullopt;
    return StoredReplay{replay.Text(0), replay.Blob(1)};
}

std::optional<std::string> SqliteScoreBackend::SharedSecret(const std::string& proposal) {
    if (!Write("INSERT OR IGNORE INTO settings (key, value) VALUES ('token key', ?1)", proposal)) {
        return std::nullopt;
    }
    std::lock_guard<std::mutex> lock(readMutex);
    SqliteStatement secret(reader.db, "SELECT value FROM settings WHERE key = 'token key'");
    if (!secret.Ok() || secret.Step() != SQLITE_ROW) return std::nullopt;
    return secret.Text(0);
}

std::optional<bool> SqliteScoreBackend::UseToken(const std::string& token, int64_t expires,
                                                 int64_t now) {
    std::lock_guard<std::mutex> lock(writeMutex);
    SqliteStatement prune(writer.db, "DELETE FROM used_tokens WHERE expires < ?1");
    SqliteStatement use(writer.db,
                        "INSERT OR IGNORE INTO used_tokens (token, expires) VALUES (?1, ?2)");
    if (!prune.Ok() || !use.Ok()) return std::nullopt;
    prune.Bind(1, now);
    use.Bind(1, token).Bind(2, expires);
    if (prune.Step() != SQLITE_DONE || use.Step() != SQLITE_DONE) return std::nullopt;
    return sqlite3_changes(writer.db) == 1;
}

bool SqliteScoreBackend::Write(const char* sql, const std::string& value, int* changes) {
    std::lock_guard<std::mutex> lock(writeMutex);
    SqliteStatement statement(writer.db, sql);
    if (!statement.Ok()) return Failed(writer.db);
    statement.Bind(1, value);
    if (statement.Step() != SQLITE_DONE) return Failed(writer.db);
    if (changes) *changes = sqlite3_changes(writer.db);
    return true;
}

std::optional<int> SqliteScoreBackend::Delete(const std::string& table, const std::string& name) {
    std::lock_guard<std::mutex> lock(writeMutex);
    SqliteStatement remove(writer.db, "DELETE FROM scores WHERE board = ?1 AND name = ?2");
    if (!remove.Ok() || (remove.Bind(1, table).Bind(2, name), remove.Step() != SQLITE_DONE)) {
        Failed(writer.db);
        return std::nullopt;
    }
    ForgetLastPlaces();
    return sqlite3_changes(writer.db);
}

bool SqliteScoreBackend::Ban(const std::string& range) {
    return Write("INSERT OR IGNORE INTO bans (range) VALUES (?1)", range);
}

bool SqliteScoreBackend::Unban(const std::string& range) {
    return Write("DELETE FROM bans WHERE range = ?1", range);
}

std::optional<std::vector<std::string>> SqliteScoreBackend::Bans() {
    std::lock_guard<std::mutex> lock(readMutex);
    SqliteStatement bans(reader.db, "SELECT range FROM bans ORDER BY range");
    if (!bans.Ok()) {
        Failed(reader.db);
        return std::nullopt;
    }
    std::vector<std::string> ranges;
    int rc = 0;
    while ((rc = bans.Step()) == SQLITE_ROW)
        ranges.push_back(bans.Text(0));
    if (rc != SQLITE_DONE) {
        Failed(reader.db);
        return std::nullopt;
    }
    return ranges;
}

bool SqliteScoreBackend::Backup(const std::string& file, std::string& error) {
    std::error_code ignored;
    if (std::filesystem::equivalent(file, path, ignored)) {
        error = "that is the database itself";
        return false;
    }
    sqlite3* copy = nullptr;
    if (sqlite3_open(file.c_str(), &copy) != SQLITE_OK) {
        error = copy ? sqlite3_errmsg(copy) : "cannot create the copy";
        sqlite3_close(copy);
        return false;
    }
    bool ok = false;
    {
        // The online backup copies every page in one step: one read
        // transaction, so the copy is one consistent moment while the server
        // goes on writing (WAL readers never block writers).
        std::lock_guard<std::mutex> lock(readMutex);
        sqlite3_backup* backup = sqlite3_backup_init(copy, "main", reader.db, "main");
        if (backup) {
            ok = sqlite3_backup_step(backup, -1) == SQLITE_DONE;
            sqlite3_backup_finish(backup);
        }
    }
    if (!ok) error = sqlite3_errmsg(copy);
    sqlite3_close(copy);
    return ok;
}
