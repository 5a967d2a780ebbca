// Command line of orbolo-scored: options, then an optional operator
// subcommand that acts on the database and exits.
#pragma once
#include "address_range.h"

#include <string>
#include <vector>

// What the listing page does with entries from games that sent no replay.
enum class UnverifiedEntries { Apart, Hidden };

struct ServerOptions {
    std::string host = "127.0.0.1";
    int port = 8086; // 0: any free port (the one taken is printed)
    std::string databasePath = "orbolo-scores.db";
    int tableSize = 10;             // places kept in each table
    int submissionsPerMinute = 10;  // per source; 0 turns the limit off
    int queriesPerMinute = 600;     // per source; 0 turns the limit off
    int connectionsPerAddress = 16; // open at once per source; 0: no limit
    int requestSeconds = 10;        // a whole request, headers included, must arrive in this
    int threads = 2;                // event loops, one per core
    int maxRequestBytes = 2048;     // request target
    std::vector<AddressRange> trustedProxies;
    // Verified games.
    bool verifiedOnly = false; // the old submission is refused
    UnverifiedEntries unverifiedEntries = UnverifiedEntries::Apart;
    int gamesPerMinute = 60;          // tokens per source; 0: no limit
    int replaysPerMinute = 10;        // uploads per source; 0: no limit
    int maxReplayBytes = 64 * 1024;   // one upload's body
    int tokenHours = 4;               // a game must be uploaded within this of its start
    std::string playFolder;           // the web build served under /play/; "": none
    std::vector<std::string> command; // subcommand and its arguments; empty: serve
};

enum class OptionsResult { Run, Help, Version, Error };

// Fills `options` from the command line; on Error, `error` says why.
OptionsResult ParseOptions(int argc, char** argv, ServerOptions& options, std::string& error);

std::string UsageText();
