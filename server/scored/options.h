// Command line of orbolo-scored.
#pragma once
#include <string>

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8086; // 0: any free port (the one taken is printed)
    std::string databasePath = "orbolo-scores.db";
    int tableSize = 10;            // places kept in each table
    int submissionsPerMinute = 10; // per client address; 0 turns the limit off
    int threads = 8;
    int maxRequestBytes = 2048; // request target and body, each
};

enum class OptionsResult { Run, Help, Error };

// Fills `options` from the command line; on Error, `error` says why.
OptionsResult ParseOptions(int argc, char** argv, ServerOptions& options, std::string& error);

std::string UsageText();
