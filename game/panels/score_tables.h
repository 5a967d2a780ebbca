// Where the six highscore tables are asked and written: a shared score
// server over HTTP (score_protocol.h), the tables this game keeps on this
// machine itself (local_score_tables.h), or none when the server named is
// unusable. Calls block; the game-over dialog makes them on a worker thread
// while it goes on drawing.
#pragma once
#include <memory>
#include <string>

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
};

// The name the tables receive for what the player typed.
const char* NameToSend(const char* typed);

// The tables of this run, chosen on first use from the sources of
// score_server_choice.h; an unusable address is reported once on stderr.
ScoreTables& GameScoreTables();
// Tests put their own tables in place; nullptr chooses anew on next use.
void SetScoreTablesForTests(std::unique_ptr<ScoreTables> tables);
