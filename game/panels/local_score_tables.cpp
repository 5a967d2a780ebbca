#include "game/panels/local_score_tables.h"

#include "game/rules/game_state.h"
#include "game/panels/score_protocol.h"
#include "game/replay/game_recorder.h"
#include "server/scored/listing_page.h"
#include "server/scored/options.h"
#include "server/scored/score_backend.h"
#include "server/scored/sqlite_backend.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace {

// The page lists this computer's tables only; it says so, and how to share.
ListingWording LocalWording() {
    ListingWording wording;
    wording.title = "Orbolo highscores on this computer";
    wording.heading = "Highscores on this computer";
    wording.noteHtml =
        "These tables are kept on this computer for the players who play here. To share "
        "tables with other players, join a shared score server: start the game as "
        "<code>orbolo --score-server http://host:8086</code>, or put the line "
        "<code>score-server = http://host:8086</code> in "
        "<code>~/.config/orbolo/orbolo.conf</code>. The game's help page tells how to run "
        "one.";
    return wording;
}

class LocalTables : public ScoreTables {
  public:
    explicit LocalTables(std::string directory) : directory(std::move(directory)) {}

    ScoreReply IsHighscore(const char* table, int value) override {
        std::lock_guard<std::mutex> lock(mutex);
        // The server's own rules, as if the request had come over HTTP.
        if (!Store() || !ParseQuery({{"gamename", table}, {"submtdscore", std::to_string(value)}}))
            return ScoreReply::StoreFault;
        std::optional<bool> enters = store->WouldEnter(table, value);
        if (!enters) return ScoreReply::StoreFault;
        return *enters ? ScoreReply::Enters : ScoreReply::TooLow;
    }

    ScoreReply SubmitScore(const char* name, const char* table, int value) override {
        std::lock_guard<std::mutex> lock(mutex);
        std::optional<ScoreSubmission> submission =
            ParseSubmission({{"name", NameToSend(name)},
                             {"score", std::to_string(value)},
                             {"computer", "M"},
                             {"gamename", table}});
        if (!Store() || !submission) return ScoreReply::StoreFault;
        PendingEntry entry{*submission, "local", static_cast<int64_t>(std::time(nullptr)), "", 0,
                           false,       ""};
        switch (store->AddAll({entry}).at(0)) {
        case AddOutcome::Stored:
            KeepReplay(table, entry.submitted);
            return ScoreReply::Stored;
        case AddOutcome::TrimmedAway:
            return ScoreReply::TooLow;
        case AddOutcome::Unasked: // asked of server entries only
        case AddOutcome::Failed:
            break;
        }
        return ScoreReply::StoreFault;
    }

    std::string HighscoresPageAddress() override {
        std::lock_guard<std::mutex> lock(mutex);
        if (!Store()) return "";
        std::vector<ListedTable> tables;
        for (int16_t mode : {TimeAttack, TopScore}) {
            for (int16_t difficulty = 1; difficulty <= 3; ++difficulty) {
                const char* table = HighscoreTableName(mode, difficulty);
                std::optional<std::vector<ScoreEntry>> entries = store->Top(table);
                if (!entries) return Fail("cannot read the highscores in " + Database());
                tables.push_back({table, std::move(*entries), {}});
            }
        }
        // Written whole, then moved in place: a browser never reads half a page.
        const std::string page = directory + "/highscores.html";
        const std::string partial = page + ".part";
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            out << RenderListingPage(tables, LocalWording());
            if (!out.flush()) return Fail("cannot write " + partial);
        }
        std::error_code error;
        std::filesystem::rename(partial, page, error);
        if (error) return Fail("cannot write " + page + ": " + error.message());
        return page;
    }

  private:
    std::string Database() const { return directory + "/scores.db"; }

    // The recording of the game just entered goes beside the tables, named
    // by table and time: replays/tahard-1765170000.orbolo-replay.
    void KeepReplay(const char* table, int64_t when) {
        const std::vector<uint8_t>& replay = LastGameReplay();
        if (replay.empty()) return;
        const std::string folder = directory + "/replays";
        std::error_code made;
        std::filesystem::create_directories(folder, made);
        const std::string path =
            folder + "/" + table + "-" + std::to_string(when) + ".orbolo-replay";
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(replay.data()),
                  static_cast<std::streamsize>(replay.size()));
        if (!out.flush()) Fail("cannot keep the game's replay in " + path);
    }

    std::string Fail(const std::string& problem) {
        std::fprintf(stderr, "orbolo: %s\n", problem.c_str());
        return "";
    }

    // Opened on first use, so a game that never ends a scored game never
    // touches the disk; a failure is reported once and tried again next time.
    ScoreBackend* Store() {
        if (store) return store.get();
        std::error_code made;
        std::filesystem::create_directories(directory, made);
        std::string error;
        store = SqliteScoreBackend::Open(Database(), ServerOptions().tableSize, error);
        if (!store) Fail("the highscores cannot be kept in " + Database() + ": " + error);
        return store.get();
    }

    std::string directory;
    std::mutex mutex;
    std::unique_ptr<ScoreBackend> store;
};

} // namespace

std::unique_ptr<ScoreTables> MakeLocalTables(const std::string& directory) {
    return std::make_unique<LocalTables>(directory);
}
