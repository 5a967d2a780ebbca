// The same behaviour from every score backend, each on a real database of
// its own: a SQLite file in a temporary folder, or a database on a
// PostgreSQL server that this test starts itself.
#include "postgres_server.h"
#include "score_backend.h"
#include "game/rules/game_state.h"
#include "game_token.h"
#include "server/score_server_process.h"
#include "support/bot_recording.h"

#include <sqlite3.h>

#include <atomic>
#include <thread>

namespace {

constexpr int kSize = 3;
using enum AddOutcome;

PostgresServer& Postgres() {
    static PostgresServer server;
    return server;
}

PendingEntry Entry(const std::string& table, const std::string& name, int score,
                   int64_t submitted = 1000, const std::string& address = "192.0.2.1") {
    return {{table, score, name, "PC"}, address, submitted, "", 0, false, ""};
}

// An entry a replay proved, with that replay (bytes of every value).
PendingEntry Proven(const std::string& table, const std::string& name, int score,
                    int64_t submitted = 1000) {
    PendingEntry entry = Entry(table, name, score, submitted);
    entry.verified = true;
    entry.replay = std::string("ORBR\0\xff\x01", 7) + name;
    return entry;
}

std::vector<std::string> Lines(const std::optional<std::vector<StoredEntry>>& entries) {
    std::vector<std::string> out;
    for (const StoredEntry& e : entries.value_or(std::vector<StoredEntry>{}))
        out.push_back(e.table + " " + std::to_string(e.place) + " " + e.name + " " +
                      std::to_string(e.score) + " " + e.address + " " +
                      std::to_string(e.submitted) + (e.verified ? " verified" : ""));
    return out;
}

class ScoreBackendTest : public testing::TestWithParam<std::string> {
  protected:
    ~ScoreBackendTest() override { std::filesystem::remove_all(folder); }

    std::string NewLocation() {
        if (GetParam() == "PostgreSQL") return Postgres().NewDatabase();
        return folder + "/scores" + std::to_string(++files) + ".db";
    }
    std::unique_ptr<ScoreBackend> Open(const std::string& location) {
        std::string error;
        std::unique_ptr<ScoreBackend> backend = OpenScoreBackend(location, kSize, error);
        EXPECT_TRUE(backend) << location << ": " << error;
        return backend;
    }
    // A fresh store holding what a backup file holds, restored the way
    // the operator's guide says.
    std::string Restore(const std::string& backup) {
        if (GetParam() == "SQLite") return backup; // a database file itself
        std::string location = NewLocation();
        std::string psql = Postgres().Program("psql") + " -q -v ON_ERROR_STOP=1 -d '" + location +
                           "' -f " + backup + " > /dev/null";
        EXPECT_EQ(0, std::system(psql.c_str()));
        return location;
    }

    std::string folder = mkdtemp(std::string("/tmp/orbolo-backend-XXXXXX").data());
    int files = 0;
    std::string location = NewLocation();
    std::unique_ptr<ScoreBackend> store = Open(location);
};

TEST_P(ScoreBackendTest, RanksLargerAndEarlierFirstAndKeepsTheTableSize) {
    struct Batch {
        std::vector<PendingEntry> entries;
        std::vector<AddOutcome> outcomes;
        std::vector<std::string> top; // taeasy afterwards
    };
    const Batch batches[] = {
        {{Entry("taeasy", "A", 100, 1)}, {Stored}, {"A"}},
        {{Entry("taeasy", "B", 300, 2)}, {Stored}, {"B", "A"}},
        {{Entry("taeasy", "C", 200, 3)}, {Stored}, {"B", "C", "A"}},
        // Equal to the last place: the earlier entry keeps it.
        {{Entry("taeasy", "D", 100, 4)}, {TrimmedAway}, {"B", "C", "A"}},
        {{Entry("taeasy", "E", 200, 5)}, {Stored}, {"B", "C", "E"}},
        // One transaction, each entry trimmed in turn, tables apart.
        {{Entry("taeasy", "F", 250, 6), Entry("tahard", "G", 5, 6), Entry("taeasy", "H", 1, 6),
          Entry("taeasy", "I", 400, 6)},
         {Stored, Stored, TrimmedAway, Stored},
         {"I", "B", "F"}},
    };
    for (const Batch& batch : batches) {
        EXPECT_EQ(batch.outcomes, store->AddAll(batch.entries));
        std::vector<std::string> names;
        for (const ScoreEntry& e : store->Top("taeasy").value_or(std::vector<ScoreEntry>{}))
            names.push_back(e.name);
        EXPECT_EQ(batch.top, names);
    }
    EXPECT_EQ(6, store->Top("taeasy").value().back().submitted);
    EXPECT_EQ(1u, store->Top("tahard").value().size());
    EXPECT_TRUE(store->Top("tsaverage").value().empty());

    const std::tuple<const char*, int, bool> asks[] = {
        {"taeasy", 251, true}, {"taeasy", 250, false}, {"tahard", 0, true}, {"tshard", 0, true}};
    for (auto [table, score, enters] : asks)
        EXPECT_EQ(enters, store->WouldEnter(table, score)) << table << " " << score;
}

TEST_P(ScoreBackendTest, ListsAndDeletesForTheOperator) {
    store->AddAll({Entry("tseasy", "ANN", 50, 10, "198.51.100.7"),
                   Entry("tseasy", "BOB", 70, 11, "2001:db8::1"),
                   Entry("tseasy", "ANN", 60, 12, "198.51.100.7"),
                   Entry("taeasy", "ANN", 9, 13, "198.51.100.7")});
    const std::vector<std::string> tseasy = {"tseasy 1 BOB 70 2001:db8::1 11",
                                             "tseasy 2 ANN 60 198.51.100.7 12",
                                             "tseasy 3 ANN 50 198.51.100.7 10"};
    EXPECT_EQ(tseasy, Lines(store->List("tseasy")));
    EXPECT_EQ(4u, Lines(store->List("")).size());

    EXPECT_EQ(2, store->Delete("tseasy", "ANN"));
    EXPECT_EQ(0, store->Delete("tseasy", "NOBODY"));
    EXPECT_EQ(std::vector<std::string>{"tseasy 1 BOB 70 2001:db8::1 11"},
              Lines(store->List("tseasy")));
    EXPECT_EQ(1u, store->List("taeasy").value().size());

    EXPECT_TRUE(store->Ban("203.0.113.7"));
    EXPECT_TRUE(store->Ban("2001:db8::/64"));
    EXPECT_TRUE(store->Ban("203.0.113.7"));
    EXPECT_TRUE(store->Unban("2001:db8::/64"));
    EXPECT_EQ(std::vector<std::string>{"203.0.113.7"}, store->Bans());
}

TEST_P(ScoreBackendTest, TakesEachRecentQueryOnce) {
    store->RememberQuery("192.0.2.1", "taeasy", 500, 1000);
    store->RememberQuery("192.0.2.1", "tseasy", 700, 1000);
    const std::tuple<const char*, const char*, int, int64_t, bool> takes[] = {
        {"192.0.2.2", "taeasy", 500, 1010, false}, // another source
        {"192.0.2.1", "tahard", 500, 1010, false}, // another table
        {"192.0.2.1", "taeasy", 510, 1010, false}, // another value
        {"192.0.2.1", "tseasy", 700, 1601, false}, // too old
        {"192.0.2.1", "taeasy", 500, 1600, true},
        {"192.0.2.1", "taeasy", 500, 1600, false}, // taken already
    };
    for (auto [address, table, score, now, taken] : takes)
        EXPECT_EQ(taken, store->TakeQuery(address, table, score, now, 600))
            << address << " " << table << " " << score << " at " << now;
}

TEST_P(ScoreBackendTest, BackupRestoresEntriesInOrderAndBans) {
    store->AddAll({Entry("tsaverage", "TIE ONE", 40, 1, "192.0.2.9"),
                   Entry("tsaverage", "TOP", 90, 2), Entry("tsaverage", "TIE TWO", 40, 3),
                   Entry("tahard", "O'NEIL", 7, 4)});
    store->Ban("192.0.2.0/24");
    std::string file = folder + "/backup", error;
    ASSERT_TRUE(store->Backup(file, error)) << error;
    store->AddAll({Entry("tsaverage", "LATER", 99, 5)}); // after the backup

    std::unique_ptr<ScoreBackend> restored = Open(Restore(file));
    ASSERT_TRUE(restored);
    EXPECT_EQ(std::vector<std::string>(
                  {"tahard 1 O'NEIL 7 192.0.2.1 4", "tsaverage 1 TOP 90 192.0.2.1 2",
                   "tsaverage 2 TIE ONE 40 192.0.2.9 1", "tsaverage 3 TIE TWO 40 192.0.2.1 3"}),
              Lines(restored->List("")));
    EXPECT_EQ(std::vector<std::string>{"192.0.2.0/24"}, restored->Bans());

    EXPECT_FALSE(store->Backup(folder + "/missing/backup", error));
    EXPECT_FALSE(error.empty());
}

// Forged values from the old requests can never push a proven entry out:
// the two rankings of a table are kept apart, each at the table size. A
// replay lives exactly as long as its entry.
TEST_P(ScoreBackendTest, VerifiedEntriesRankApartAndKeepTheirReplays) {
    store->AddAll({Entry("tahard", "FORGER", 32767), Entry("tahard", "FORGER", 32767),
                   Entry("tahard", "FORGER", 32767)});
    EXPECT_EQ(false, store->WouldEnter("tahard", 32767));
    EXPECT_EQ(true, store->WouldEnter("tahard", 0, true));
    ASSERT_EQ(std::vector<AddOutcome>{Stored}, store->AddAll({Proven("tahard", "PRO", 50)}));
    std::vector<ScoreEntry> top = store->Top("tahard", true).value();
    ASSERT_EQ(1u, top.size());
    EXPECT_TRUE(top[0].verified);
    EXPECT_EQ(Proven("tahard", "PRO", 50).replay, store->Replay(top[0].id).value().bytes);
    EXPECT_EQ("tahard", store->Replay(top[0].id).value().table);
    EXPECT_EQ(3u, store->Top("tahard").value().size());
    EXPECT_FALSE(store->Replay(store->Top("tahard").value()[0].id)); // none sent
    EXPECT_EQ("tahard 1 PRO 50 192.0.2.1 1000 verified", Lines(store->List("tahard"))[0]);
    EXPECT_EQ("tahard 1 FORGER 32767 192.0.2.1 1000", Lines(store->List("tahard"))[1]);

    EXPECT_EQ(std::vector<AddOutcome>({Stored, Stored, Stored}),
              store->AddAll({Proven("tahard", "A", 60), Proven("tahard", "B", 70),
                             Proven("tahard", "C", 80)}));
    EXPECT_FALSE(store->Replay(top[0].id)); // PRO left the table, and its replay with it
    EXPECT_EQ(false, store->WouldEnter("tahard", 60, true));

    // A game's token is spent once, by whichever server comes first.
    std::unique_ptr<ScoreBackend> second = Open(location);
    EXPECT_EQ(true, store->UseToken("T1", 2000, 1000));
    EXPECT_EQ(false, second->UseToken("T1", 2000, 1001));
    EXPECT_EQ(true, second->UseToken("T2", 2000, 1001));
    EXPECT_EQ("first key", store->SharedSecret("first key"));
    EXPECT_EQ("first key", second->SharedSecret("second key"));

    // Replays survive a backup and its restore.
    std::string file = folder + "/backup", error;
    ASSERT_TRUE(store->Backup(file, error)) << error;
    std::unique_ptr<ScoreBackend> restored = Open(Restore(file));
    ASSERT_TRUE(restored);
    std::vector<ScoreEntry> kept = restored->Top("tahard", true).value();
    ASSERT_EQ(3u, kept.size());
    EXPECT_EQ(Proven("tahard", "C", 80).replay, restored->Replay(kept[0].id).value().bytes);
}

// A file written before verified entries existed opens with every entry,
// all of them in the unverified ranking.
TEST(SQLiteScoreStore, MigratesADatabaseFromBeforeVerifiedEntries) {
    const std::string folder = mkdtemp(std::string("/tmp/orbolo-migrate-XXXXXX").data());
    const std::string file = folder + "/old.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(file.c_str(), &db));
    ASSERT_EQ(SQLITE_OK,
              sqlite3_exec(db,
                           "CREATE TABLE scores (id INTEGER PRIMARY KEY AUTOINCREMENT, board TEXT"
                           " NOT NULL, name TEXT NOT NULL, score INTEGER NOT NULL, computer TEXT"
                           " NOT NULL, submitted INTEGER NOT NULL, address TEXT NOT NULL DEFAULT"
                           " '');CREATE INDEX scores_rank ON scores(board, score DESC, id);"
                           "CREATE TABLE bans (range TEXT PRIMARY KEY);"
                           "INSERT INTO scores (board, name, score, computer, submitted) VALUES"
                           " ('tseasy', 'KEPT', 120, 'M', 7);",
                           nullptr, nullptr, nullptr));
    sqlite3_close(db);
    std::string error;
    std::unique_ptr<ScoreBackend> store = OpenScoreBackend(file, kSize, error);
    ASSERT_TRUE(store) << error;
    EXPECT_EQ(std::vector<std::string>{"tseasy 1 KEPT 120  7"}, Lines(store->List("")));
    EXPECT_EQ(std::vector<AddOutcome>{Stored}, store->AddAll({Proven("tseasy", "NEW", 10)}));
    EXPECT_EQ(1u, store->Top("tseasy", true).value().size());
    std::filesystem::remove_all(folder);
}

// Several server processes write one table at once: no write may fail on
// a conflict, and no one may ever see the table over its size.
TEST_P(ScoreBackendTest, ConcurrentWritersKeepExactlyTheBest) {
    std::unique_ptr<ScoreBackend> second = Open(location);
    ASSERT_TRUE(second);
    constexpr int kThreads = 4, kEach = 25;
    std::atomic<int> failed = 0, overfull = 0;
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        ScoreBackend* backend = (t % 2 ? second : store).get();
        writers.emplace_back([&, backend, t] {
            for (int k = 0; k < kEach; ++k) {
                if (backend->AddAll({Entry("tshard", "W", (k * kThreads + t) * 10)})[0] == Failed)
                    ++failed;
                if (backend->List("tshard").value_or(std::vector<StoredEntry>{}).size() > kSize)
                    ++overfull;
            }
        });
    }
    for (std::thread& w : writers)
        w.join();
    EXPECT_EQ(0, failed.load());
    EXPECT_EQ(0, overfull.load());
    const int best = (kThreads * kEach - 1) * 10;
    std::vector<int> scores;
    for (const StoredEntry& e : store->List("tshard").value_or(std::vector<StoredEntry>{}))
        scores.push_back(e.score);
    EXPECT_EQ(std::vector<int>({best, best - 10, best - 20}), scores);
}

INSTANTIATE_TEST_SUITE_P(, ScoreBackendTest, testing::Values("SQLite", "PostgreSQL"),
                         [](const auto& info) { return info.param; });

// Two real servers on one PostgreSQL database, as behind a load balancer:
// a query answered by one lets the other store the submission, once; the
// entry keeps its source.
TEST(PostgreSQLScoreServer, ShareTheTablesAndTheQueries) {
    std::string url = Postgres().NewDatabase();
    ScoreServerProcess first({"--db", url}), second({"--db", url}); // the later --db wins
    const std::string submit =
        "/highscores/orbolo/scoresubmitter.php?name=PAT&score=120&computer=PC&gamename=tseasy";
    EXPECT_EQ("200 yes",
              Get(first, "/highscores/orbolo/ishighscore.php?gamename=tseasy&submtdscore=120"));
    EXPECT_EQ("200 stored\n", Get(second, submit));
    EXPECT_EQ("403", Get(first, submit).substr(0, 3));

    std::string error;
    std::unique_ptr<ScoreBackend> store = OpenScoreBackend(url, 10, error);
    ASSERT_TRUE(store) << error;
    std::vector<std::string> lines = Lines(store->List(""));
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("tseasy 1 PAT 120 127.0.0.1", lines[0].substr(0, lines[0].rfind(' ')));
}

// A bot's game verified across two servers on one database: a token from
// one is good on the other, and spent on both once used.
TEST(PostgreSQLScoreServer, VerifyEachOthersGames) {
    std::string url = Postgres().NewDatabase();
    ScoreServerProcess first({"--db", url}), second({"--db", url});
    std::string error;
    std::unique_ptr<ScoreBackend> store = OpenScoreBackend(url, 10, error);
    ASSERT_TRUE(store) << error;
    const TokenSigner signer(store->SharedSecret("not the first").value());
    const std::string ticket = Get(first, "/highscores/orbolo/newgame.php");
    ASSERT_EQ("200 token ", ticket.substr(0, 10));
    const std::optional<IssuedGame> issued = signer.Read(ticket.substr(10, 64));
    ASSERT_TRUE(issued);

    replay::ReplayHeader start;
    start.gameMode = TimeAttack;
    start.seed = issued->seed;
    start.token = signer.Issue({issued->seed, issued->issued - 3600});
    const std::vector<uint8_t> bytes = replay::WriteReplay(RecordBotGame(start));
    const std::string body(bytes.begin(), bytes.end());
    const std::string upload = "/highscores/orbolo/replaysubmitter.php?name=PG";
    EXPECT_EQ("200 stored\n", Post(second, upload, body));
    EXPECT_EQ("409", Post(first, upload, body).substr(0, 3));
    std::vector<ScoreEntry> listed = store->Top("taeasy", true).value();
    ASSERT_EQ(1u, listed.size());
    EXPECT_EQ(body, store->Replay(listed[0].id).value().bytes);
}

// Pooled connections cut by a restart of the database server are opened
// again: no request fails for them.
TEST(PostgreSQLScoreServer, OutlivesARestartOfTheDatabase) {
    std::string error;
    std::unique_ptr<ScoreBackend> store = OpenScoreBackend(Postgres().NewDatabase(), kSize, error);
    ASSERT_TRUE(store) << error;
    ASSERT_EQ(std::vector<AddOutcome>{Stored}, store->AddAll({Entry("taeasy", "A", 10)}));
    Postgres().Restart();
    EXPECT_EQ(std::vector<AddOutcome>{Stored}, store->AddAll({Entry("taeasy", "B", 20)}));
    EXPECT_EQ(2u, store->Top("taeasy").value_or(std::vector<ScoreEntry>{}).size());
}

// An operator moving from SQLite: every entry with its source and time,
// equal values in their order, and the bans.
TEST(PostgreSQLScoreServer, ImportsASQLiteDatabase) {
    const std::string folder = mkdtemp(std::string("/tmp/orbolo-import-XXXXXX").data());
    std::string file = folder + "/old.db", error;
    std::unique_ptr<ScoreBackend> old = OpenScoreBackend(file, kSize, error);
    ASSERT_TRUE(old) << error;
    old->AddAll({Entry("taaverage", "FIRST", 30, 1, "192.0.2.5"), Entry("taaverage", "BEST", 80, 2),
                 Entry("taaverage", "SECOND", 30, 3), Entry("tshard", "HARD", 990, 4),
                 Proven("tshard", "SHOWN", 20, 5)});
    old->Ban("198.51.100.0/24");

    std::string url = Postgres().NewDatabase();
    std::string command =
        std::string(ORBOLO_SCORED_PATH) + " --db '" + url + "' import " + file + " > /dev/null";
    EXPECT_EQ(0, std::system(command.c_str()));
    std::unique_ptr<ScoreBackend> moved = OpenScoreBackend(url, kSize, error);
    ASSERT_TRUE(moved) << error;
    EXPECT_EQ(Lines(old->List("")), Lines(moved->List("")));
    EXPECT_EQ(5u, Lines(moved->List("")).size());
    EXPECT_EQ(Proven("tshard", "SHOWN", 20).replay,
              moved->Replay(moved->Top("tshard", true).value().at(0).id).value().bytes);
    EXPECT_EQ(old->Bans(), moved->Bans());
    std::filesystem::remove_all(folder);
}

} // namespace
