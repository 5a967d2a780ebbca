#include "game/panels/score_server_choice.h"

#include "game/command_line.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#ifndef ORBOLO_SCORE_SERVER
#error "ORBOLO_SCORE_SERVER must be defined: a score server's address, or empty for local tables"
#endif

namespace {

// Longer addresses would not leave room for a submission in the protocol's
// 260-byte URL.
constexpr size_t kMaxAddress = 128;
constexpr const char* kThisMachine = "local";

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool AllOf(const std::string& text, const char* extra) {
    for (unsigned char c : text) {
        if (!std::isalnum(c) && !std::strchr(extra, c)) return false;
    }
    return true;
}

std::string HostFault(const std::string& authority) {
    std::string host = authority, port;
    if (!host.empty() && host.front() == '[') {
        size_t close = host.find(']');
        if (close == std::string::npos) return "its host name is not valid";
        port = host.substr(close + 1);
        host = host.substr(1, close - 1);
        if (!port.empty() && port.front() != ':') return "its host name is not valid";
        if (!port.empty()) port.erase(0, 1);
        if (host.empty() || !AllOf(host, ":.") || host.find(':') == std::string::npos)
            return "its host name is not valid";
    } else {
        size_t colon = host.find(':');
        if (colon != std::string::npos) {
            port = host.substr(colon + 1);
            host.resize(colon);
            if (port.empty()) return "its port must be a number from 1 to 65535";
        }
        if (host.empty()) return "it names no host";
        if (!AllOf(host, ".-") || host.front() == '.' || host.front() == '-')
            return "its host name is not valid";
    }
    if (authority.back() == ':' ||
        (!port.empty() &&
         (port.size() > 5 || !AllOf(port, "") || std::strtol(port.c_str(), nullptr, 10) < 1 ||
          std::strtol(port.c_str(), nullptr, 10) > 65535))) {
        return "its port must be a number from 1 to 65535";
    }
    return "";
}

// At most this much of a value a player wrote goes into a message.
constexpr size_t kMostQuoted = 80;

// `text` as a message shows it: cut after kMostQuoted characters.
std::string Quoted(const std::string& text) {
    if (text.size() <= kMostQuoted) return text;
    return text.substr(0, kMostQuoted) + "... (" + std::to_string(text.size()) + " characters)";
}

// The value of the last "score-server = ..." line, and where it stands.
// Lines that are no such setting are named on stderr: a misspelt key
// would otherwise be ignored without a word.
bool ReadConfigFile(const std::string& path, std::string& value, std::string& from) {
    std::ifstream file(path);
    std::string line;
    bool found = false;
    for (int number = 1; std::getline(file, line); ++number) {
        line = Trim(line);
        if (line.empty() || line.front() == '#') continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos || Trim(line.substr(0, equals)) != "score-server") {
            std::fprintf(
                stderr,
                "orbolo: %s line %d: \"%s\" is not a setting (the one known is "
                "\"score-server = ADDRESS\"); ignored.\n",
                path.c_str(), number,
                Quoted(equals == std::string::npos ? line : Trim(line.substr(0, equals))).c_str());
            continue;
        }
        value = Trim(line.substr(equals + 1));
        from = path + " line " + std::to_string(number);
        found = true;
    }
    return found;
}

ScoreServerChoice Interpret(std::string value, const std::string& from) {
    ScoreServerChoice choice;
    choice.from = from;
    if (value == kThisMachine) return choice;
    while (value.size() > 1 && value.back() == '/' && value.find("://") + 3 < value.size())
        value.pop_back(); // the requests add their own slash
    std::string fault = ServerAddressFault(value);
    if (!fault.empty()) {
        choice.kind = ScoreServerChoice::Kind::Unusable;
        choice.problem = "the score server address \"" + Quoted(value) + "\" (" + from +
                         ") is unusable: " + fault + "; online highscores are off.";
        return choice;
    }
    choice.kind = ScoreServerChoice::Kind::Server;
    choice.address = value;
    return choice;
}

// An absolute path from the environment, else `fallback` under the home folder.
std::string XdgDirectory(const char* variable, const char* fallback) {
    const char* set = std::getenv(variable);
    if (set && set[0] == '/') return set;
    const char* home = std::getenv("HOME");
    if (!home || home[0] == '\0') {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : "";
    }
    return std::string(home) + "/" + fallback;
}

} // namespace

std::string ServerAddressFault(const std::string& address) {
    if (address.size() > kMaxAddress) return "it is longer than 128 characters";
    for (unsigned char c : address) {
        if (c <= 0x20 || c >= 0x7F || std::strchr("\"<>\\^`{|}", c))
            return "it holds blanks or characters a web address cannot";
    }
    size_t schemeEnd = address.find("://");
    std::string scheme = Lower(address.substr(0, schemeEnd));
    if (schemeEnd == std::string::npos || (scheme != "http" && scheme != "https"))
        return "it must begin with http:// or https://";
    if (address.find_first_of("?#") != std::string::npos)
        return "it must not carry a query (?) or a fragment (#)";
    std::string rest = address.substr(schemeEnd + 3);
    std::string authority = rest.substr(0, rest.find('/'));
    if (authority.empty()) return "it names no host";
    if (authority.find('@') != std::string::npos) return "it must not carry a user name";
    return HostFault(authority);
}

ScoreServerChoice ChooseScoreServer(const ScoreServerSources& sources) {
    if (!sources.environment.empty())
        return Interpret(Trim(sources.environment), "ORBOLO_SCORE_SERVER");
    if (!sources.commandLine.empty()) return Interpret(Trim(sources.commandLine), "--score-server");
    for (const std::string& path : sources.configFiles) {
        std::string value, from;
        if (ReadConfigFile(path, value, from)) return Interpret(value, from);
    }
    if (!sources.buildDefault.empty())
        return Interpret(sources.buildDefault, "the build's default");
    return Interpret(kThisMachine, "no server named");
}

ScoreServerSources SourcesOfThisRun() {
    ScoreServerSources sources;
    if (const char* set = std::getenv("ORBOLO_SCORE_SERVER")) sources.environment = set;
    sources.commandLine = commandLine.scoreServer;
    sources.configFiles = {XdgDirectory("XDG_CONFIG_HOME", ".config") + "/orbolo/orbolo.conf",
                           "/etc/orbolo/orbolo.conf"};
    sources.buildDefault = ORBOLO_SCORE_SERVER;
    return sources;
}

std::string ScoresDataDirectory() {
    return XdgDirectory("XDG_DATA_HOME", ".local/share") + "/orbolo";
}
