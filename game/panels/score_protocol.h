// The online highscore protocol: two GET requests to the score server, each
// made through its own KUrlReader and blocking the caller while it runs.
// The result sent is read from the game state when a request is built:
// TimeAttack sends the seconds left, TopScore the displayed points.
//
// The game-over dialog: table = HighscoreTableName(gameMode, difficulty);
// accepted = IsHighscore(table); when accepted and the name is entered,
// SubmitScore(name, table). On exit, OpenDocument(HighscoresPageAddress()).
#pragma once
#include <cstdint>

// The server's table for a finished game: "taeasy", "taaverage", "tahard",
// "tseasy", "tsaverage" or "tshard"; nullptr for Puzzle or a difficulty
// outside 1..3.
const char* HighscoreTableName(int16_t gameMode, int16_t difficulty);

// True when the server's answer contains "yes" (case-sensitive). False in
// Puzzle, where nothing is sent, and on every failure.
bool IsHighscore(const char* tableName);

// Sends `name` ("chicken" when empty) with the result to `tableName`. The
// answer is ignored and failures are silent; nothing is sent in Puzzle.
void SubmitScore(const char* name, const char* tableName);

// The server as "http://host[:port]": ORBOLO_SCORE_SERVER from the build,
// unless a test has set another.
const char* ScoreServerAddress();
// The public listing page, which the game opens in the browser on exit when
// the player asked for it.
const char* HighscoresPageAddress();

// Tests point the protocol at their own server (nullptr restores the build's).
void SetScoreServerForTests(const char* base);
