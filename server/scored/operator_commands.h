// The operator's subcommands on a database, safe while a server runs on it:
// list, delete, ban, unban, backup, import. Prints to stdout, errors to stderr.
#pragma once
#include "score_backend.h"

#include <string>
#include <vector>

// The process's exit status: 0 done, 1 the database failed, 2 bad arguments.
int RunOperatorCommand(ScoreBackend& store, const std::vector<std::string>& command);
