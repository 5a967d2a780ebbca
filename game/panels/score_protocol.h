// The online highscore protocol: two GET requests to a score server, the
// query and the submission, each through a fresh KUrlReader; and on a
// server that offers them the verified requests: a token and seed when a
// game starts, a query among verified entries, and the game's recording
// sent with the name (server/README.md). Only the exact answers count:
// "yes" or "no" to a query, "stored" to a submission (each may end with a
// line break). Anything else is a fault of the server, never taken for a
// yes.
#pragma once
#include "game/panels/score_tables.h"

#include <cstdint>
#include <memory>
#include <string>

// The server's table for a finished game: "taeasy", "taaverage", "tahard",
// "tseasy", "tsaverage" or "tshard"; nullptr for Puzzle or a difficulty
// outside 1..3.
const char* HighscoreTableName(int16_t gameMode, int16_t difficulty);

// The tables of the server at `address` ("http[s]://host[:port][/path]",
// no trailing slash). Its listing page is the address + "/highscores/orbolo/".
std::unique_ptr<ScoreTables> MakeServerTables(const std::string& address);
