#include "score_store.h"

#include <sqlite3.h>

namespace {

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS scores ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " board TEXT NOT NULL,"
    " name TEXT NOT NULL,"
    " score INTEGER NOT NULL,"
    " computer TEXT NOT NULL,"
    " submitted INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS scores_rank ON scores(board, score DESC, id);";

// A prepared statement that finalizes itself.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(statement); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return statement != nullptr; }
    Statement& Bind(int index, const std::string& text) {
        sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int index, int64_t value) {
        sqlite3_bind_int64(statement, index, value);
        return *this;
    }
    int Step() { return sqlite3_step(statement); }
    int64_t Integer(int column) { return sqlite3_column_int64(statement, column); }
    std::string Text(int column) {
        const unsigned char* text = sqlite3_column_text(statement, column);
        return text ? reinterpret_cast<const char*>(text) : "";
    }

  private:
    sqlite3_stmt* statement = nullptr;
};

} // namespace

ScoreStore::~ScoreStore() {
    if (db) sqlite3_close(db);
}

bool ScoreStore::Execute(const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool ScoreStore::Open(const std::string& path, int size, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex);
    tableSize = size;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        error = db ? sqlite3_errmsg(db) : "cannot open the database";
        return false;
    }
    // Another process (a backup, a second look with the sqlite3 shell) may
    // hold the lock for a moment: wait for it rather than fail.
    sqlite3_busy_timeout(db, 5000);
    // WAL lets readers go on during a write; NORMAL syncs at checkpoints,
    // which in WAL mode still never corrupts the database.
    if (!Execute("PRAGMA journal_mode=WAL;") || !Execute("PRAGMA synchronous=NORMAL;") ||
        !Execute(kSchema)) {
        error = sqlite3_errmsg(db);
        return false;
    }
    return true;
}

std::optional<bool> ScoreStore::WouldEnter(const std::string& table, int score) {
    std::lock_guard<std::mutex> lock(mutex);
    // The value at the last place; a table that is not full takes anyone.
    Statement last(db, "SELECT score FROM scores WHERE board = ?1"
                       " ORDER BY score DESC, id ASC LIMIT 1 OFFSET ?2");
    if (!last.Ok()) return std::nullopt;
    last.Bind(1, table).Bind(2, int64_t{tableSize - 1});
    int rc = last.Step();
    if (rc == SQLITE_DONE) return true;
    if (rc != SQLITE_ROW) return std::nullopt;
    return score > last.Integer(0); // a tie ranks below the earlier entry
}

bool ScoreStore::Add(const ScoreSubmission& submission, int64_t submitted) {
    std::lock_guard<std::mutex> lock(mutex);
    if (!Execute("BEGIN IMMEDIATE;")) return false;
    Statement insert(db, "INSERT INTO scores (board, name, score, computer, submitted)"
                         " VALUES (?1, ?2, ?3, ?4, ?5)");
    Statement trim(db, "DELETE FROM scores WHERE board = ?1 AND id NOT IN"
                       " (SELECT id FROM scores WHERE board = ?1"
                       "  ORDER BY score DESC, id ASC LIMIT ?2)");
    bool ok = insert.Ok() && trim.Ok();
    if (ok) {
        insert.Bind(1, submission.table)
            .Bind(2, submission.name)
            .Bind(3, int64_t{submission.score})
            .Bind(4, submission.computer)
            .Bind(5, submitted);
        trim.Bind(1, submission.table).Bind(2, int64_t{tableSize});
        ok = insert.Step() == SQLITE_DONE && trim.Step() == SQLITE_DONE;
    }
    if (ok && Execute("COMMIT;")) return true;
    Execute("ROLLBACK;");
    return false;
}

std::optional<std::vector<ScoreEntry>> ScoreStore::Top(const std::string& table) {
    std::lock_guard<std::mutex> lock(mutex);
    Statement top(db, "SELECT name, score, submitted FROM scores WHERE board = ?1"
                      " ORDER BY score DESC, id ASC LIMIT ?2");
    if (!top.Ok()) return std::nullopt;
    top.Bind(1, table).Bind(2, int64_t{tableSize});
    std::vector<ScoreEntry> entries;
    int rc = 0;
    while ((rc = top.Step()) == SQLITE_ROW) {
        entries.push_back({top.Text(0), static_cast<int>(top.Integer(1)), top.Integer(2)});
    }
    if (rc != SQLITE_DONE) return std::nullopt;
    return entries;
}
