// Which score server this run uses, chosen without rebuilding: the first of
// ORBOLO_SCORE_SERVER, --score-server, the player's orbolo.conf, the
// system's orbolo.conf and the build's default that names one. "local", or
// nothing named anywhere, keeps the tables on this machine.
#pragma once
#include <string>
#include <vector>

struct ScoreServerSources {
    std::string environment;              // ORBOLO_SCORE_SERVER; "" when unset
    std::string commandLine;              // --score-server; "" when not given
    std::vector<std::string> configFiles; // read in order, the first naming one wins
    std::string buildDefault;             // "" for tables on this machine
};

struct ScoreServerChoice {
    enum class Kind { ThisMachine, Server, Unusable };
    Kind kind = Kind::ThisMachine;
    std::string address; // Server: "http[s]://host[:port][/path]", no trailing slash
    std::string from;    // where it was named, for messages
    std::string problem; // Unusable: a sentence naming the address, its source and the fault
};

ScoreServerChoice ChooseScoreServer(const ScoreServerSources& sources);

// The sources of this run: the environment, the parsed command line,
// $XDG_CONFIG_HOME/orbolo/orbolo.conf (~/.config when unset), then
// /etc/orbolo/orbolo.conf, and the build's ORBOLO_SCORE_SERVER.
ScoreServerSources SourcesOfThisRun();

// Why `address` cannot be a score server's, or "" when it can.
std::string ServerAddressFault(const std::string& address);

// $XDG_DATA_HOME/orbolo (~/.local/share/orbolo when unset): where the tables
// kept on this machine live, one database per user.
std::string ScoresDataDirectory();
