// The six tables kept by the game itself when no shared server is chosen:
// the score server's own store and rules, in this process, one SQLite
// database per user, and its listing page written to a file beside it.
// Nothing runs in the background and nothing outlives the game.
#pragma once
#include "game/panels/score_tables.h"

#include <memory>
#include <string>

// Tables in `directory`/scores.db (the folder is made when first needed);
// the listing page goes to `directory`/highscores.html.
std::unique_ptr<ScoreTables> MakeLocalTables(const std::string& directory);
