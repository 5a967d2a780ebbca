// The six tables in one SQLite file (WAL mode, synced at every commit): the embedded default of
// orbolo-scored and the store the game links for tables kept on the
// player's own machine. One connection reads, another writes, so queries
// never wait behind a batch of submissions. The trust rule's query memory
// lives in this process: one server serves one SQLite file (the port and
// the file go together), while operator subcommands only read, delete, ban
// and back up through their own connection.
#pragma once
#include "query_memory.h"
#include "score_backend.h"
#include "sqlite_statement.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

class SqliteScoreBackend : public ScoreBackend {
  public:
    ~SqliteScoreBackend() override;

    // Opens or creates the file and brings its schema up to date.
    static std::unique_ptr<SqliteScoreBackend> Open(const std::string& path, int tableSize,
                                                    std::string& error);

    std::optional<bool> WouldEnter(const std::string& table, int score,
                                   bool verified = false) override;
    std::optional<bool> CachedWouldEnter(const std::string& table, int score,
                                         bool verified = false) override;
    bool QueriesInProcess() const override { return true; }
    bool CheckHealth(std::string& error) override;
    std::string LastError() override;
    void SetPatience(std::chrono::milliseconds time) override;
    std::vector<AddOutcome> AddAll(const std::vector<PendingEntry>& entries) override;
    std::optional<std::vector<ScoreEntry>> Top(const std::string& table,
                                               bool verified = false) override;
    std::optional<StoredReplay> Replay(int64_t id) override;
    std::optional<std::string> SharedSecret(const std::string& proposal) override;
    std::optional<bool> UseToken(const std::string& token, int64_t expires, int64_t now) override;
    void RememberQuery(const std::string& address, const std::string& table, int score,
                       int64_t now) override;
    bool TakeQuery(const std::string& address, const std::string& table, int score, int64_t now,
                   int64_t maxAgeSeconds) override;
    std::optional<std::vector<StoredEntry>> List(const std::string& table) override;
    std::optional<int> Delete(const std::string& table, const std::string& name) override;
    bool Ban(const std::string& range) override;
    bool Unban(const std::string& range) override;
    std::optional<std::vector<std::string>> Bans() override;
    bool Backup(const std::string& file, std::string& error) override;

  private:
    SqliteScoreBackend() = default;
    bool Write(const char* sql, const std::string& value, int* changes = nullptr);
    // Keeps the connection's last error for LastError; returns false.
    bool Failed(sqlite3* db);
    std::optional<int64_t> CountRows(const std::string& table, bool verified); // on the writer

    // The statements a server runs on every request, prepared once.
    struct Reader {
        sqlite3* db = nullptr;
        std::unique_ptr<SqliteStatement> lastPlace, top;
    };
    struct Writer {
        sqlite3* db = nullptr;
        std::unique_ptr<SqliteStatement> insert, count, dropLast, kept;
    };

    // Each ranking's last place, read again at most every kFreshMs and after
    // every write of this process: a query then costs no SQL. Changes by
    // an operator's subcommand show within kFreshMs.
    struct LastPlace {
        int64_t readAtMs = 0;
        bool full = false;
        int64_t score = 0;
    };
    std::optional<bool> ReadWouldEnter(const std::string& table, int score);
    void ForgetLastPlaces();

    std::mutex lastPlacesMutex;
    std::map<std::string, LastPlace> lastPlaces;
    std::atomic<uint64_t> writes{0}; // counts this process's writes
    int tableSize = 10;
    std::string path;
    std::mutex readMutex, writeMutex, errorMutex;
    std::string lastError;
    Reader reader;
    Writer writer;
    QueryMemory queries;
};
