// Where the six highscore tables are asked and written: a shared score
// server over HTTP (score_protocol.h), the tables this game keeps on this
// machine itself (local_score_tables.h), or none when the server named is
// unusable. Calls block; the game-over dialog makes them on a worker thread
// while it goes on drawing.
#pragma once
#include "game/replay/game_recorder.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What a query or a submission came to.
enum class ScoreReply {
    Enters,      // query: the result earns a place
    TooLow,      // query: it does not; submission: it did not stay in the table
    Stored,      // submission: the entry is in its table
    Unreachable, // no connection, or no answer in time
    ServerFault, // an error status, a redirect elsewhere, an answer that is no answer
    BadAddress,  // the server named cannot be asked
    StoreFault,  // the tables on this machine cannot be opened or written
};

class ScoreTables {
  public:
    virtual ~ScoreTables() = default;
    // Whether `value` would earn a place in `table`.
    virtual ScoreReply IsHighscore(const char* table, int value) = 0;
    // Enters `name` (a name of blanks alone, or none, goes as "chicken").
    virtual ScoreReply SubmitScore(const char* name, const char* table, int value) = 0;
    // What "QUIT THE GAME AND VIEW THE ONLINE HIGHSCORES" opens: the
    // server's listing page or a file; "" when there is none (and the
    // reason has been printed).
    virtual std::string HighscoresPageAddress() = 0;

    // Verified games, on a server that offers them; the defaults are those
    // of tables that do not. A token and the server's seed for the next
    // game; nullopt when none came, with `askAgain` false when asking again
    // cannot help (a server without verified games, tables on this machine).
    virtual std::optional<GameTicket> FetchGameTicket(bool& askAgain) {
        askAgain = false;
        return std::nullopt;
    }
    // Whether a value a recording proves would earn a place among the
    // verified entries.
    virtual ScoreReply IsVerifiedHighscore(const char* table, int value) {
        return IsHighscore(table, value);
    }
    // Sends the recording of the game with the name; the server replays it
    // and stores the result it proves.
    virtual ScoreReply SubmitReplay(const char* name, const std::vector<uint8_t>& replay) {
        (void)name, (void)replay;
        return ScoreReply::ServerFault;
    }
};

// The name the tables receive for what the player typed.
const char* NameToSend(const char* typed);

// The tables of this run, chosen on first use from the sources of
// score_server_choice.h; an unusable address is reported once on stderr.
ScoreTables& GameScoreTables();
// Tests put their own tables in place; nullptr chooses anew on next use.
void SetScoreTablesForTests(std::unique_ptr<ScoreTables> tables);
