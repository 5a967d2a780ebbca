#include "options.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace {

bool ParseNumber(std::string_view text, int low, int high, int& value) {
    int parsed = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    if (parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

bool ParseListen(std::string_view text, ServerOptions& options) {
    size_t colon = text.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    std::string_view host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    if (!ParseNumber(text.substr(colon + 1), 0, 65535, options.port)) return false;
    options.host = std::string(host);
    return true;
}

} // namespace

std::string UsageText() {
    return "Usage: orbolo-scored [options]                 serve\n"
           "       orbolo-scored [--db PATH] list [TABLE]  entries: table, place, name, value,\n"
           "                                               address, time\n"
           "       orbolo-scored [--db PATH] delete TABLE NAME\n"
           "       orbolo-scored [--db PATH] ban ADDRESS|CIDR\n"
           "       orbolo-scored [--db PATH] unban ADDRESS|CIDR\n"
           "       orbolo-scored [--db PATH] backup FILE\n"
           "       orbolo-scored [--db PATH] import OTHER  entries and bans of another\n"
           "                                               database (file or URL) merged in\n"
           "Serves the online highscores of Orbolo: the query and submission the game sends,\n"
           "and the listing page under /highscores/orbolo/. The subcommands are safe while\n"
           "a server runs on the same database.\n"
           "\n"
           "  --listen ADDRESS:PORT         where to listen (default 127.0.0.1:8086;\n"
           "                                [::]:PORT for IPv6 and IPv4; port 0 takes a\n"
           "                                free one and prints it)\n"
           "  --db PATH|URL                 SQLite file, created when missing (default\n"
           "                                orbolo-scores.db), or postgresql://user@host/db\n"
           "  --table-size N                places kept in each of the six tables, 1..1000\n"
           "                                (default 10)\n"
           "  --submissions-per-minute N    per source (an IPv4 address or an IPv6 /64),\n"
           "                                0 for no limit (default 10)\n"
           "  --queries-per-minute N        per source, 0 for no limit (default 600)\n"
           "  --connections-per-address N   open at once per source, 0 for no limit\n"
           "                                (default 16)\n"
           "  --request-seconds N           time a client has to send a whole request,\n"
           "                                and the longest idle wait between two, 1..300\n"
           "                                (default 10)\n"
           "  --trust-proxy CIDR            take the client's address from X-Forwarded-For\n"
           "                                on connections from this range (repeatable)\n"
           "  --verified-only               list only games the server replayed: the old\n"
           "                                submission is refused and its query says no\n"
           "  --unverified-entries apart|hidden\n"
           "                                entries from games without a replay: listed\n"
           "                                apart below the verified ones, or not at all\n"
           "                                (default apart)\n"
           "  --games-per-minute N          game tokens per source, 0 for no limit\n"
           "                                (default 60)\n"
           "  --replays-per-minute N        replay uploads per source, 0 for no limit\n"
           "                                (default 10)\n"
           "  --max-replay-bytes N          largest replay upload, 1024..1048576\n"
           "                                (default 65536)\n"
           "  --token-hours N               how long a game's token stays good, 1..48\n"
           "                                (default 4)\n"
           "  --play FOLDER                 serve the game built for the browser (its\n"
           "                                index.html, orbolo.js, .wasm, .data) under\n"
           "                                /play/, linked from the listing page\n"
           "  --threads N                   event loops, 1..64 (default 2)\n"
           "  --max-request-bytes N         longest request target, 256..65536\n"
           "                                (default 2048)\n"
           "  --version                     the version\n"
           "  --help                        this text\n";
}

OptionsResult ParseOptions(int argc, char** argv, ServerOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string_view option = argv[i];
        if (option == "--help" || option == "-h") return OptionsResult::Help;
        if (option == "--version") return OptionsResult::Version;
        if (option == "--verified-only") {
            options.verifiedOnly = true;
            continue;
        }
        if (!option.starts_with("-")) {
            options.command.assign(argv + i, argv + argc);
            static const std::pair<const char*, size_t> kCommands[] = {
                {"list", 0}, {"delete", 2}, {"ban", 1}, {"unban", 1}, {"backup", 1}, {"import", 1}};
            for (auto [name, arguments] : kCommands) {
                size_t given = options.command.size() - 1;
                if (option == name && (given == arguments || (option == "list" && given == 1))) {
                    return OptionsResult::Run;
                }
            }
            error = "unknown subcommand or wrong arguments: " + std::string(option);
            return OptionsResult::Error;
        }
        if (i + 1 >= argc) {
            error = "unknown option or missing value: " + std::string(option);
            return OptionsResult::Error;
        }
        std::string_view value = argv[++i];
        bool ok = false;
        if (option == "--listen") {
            ok = ParseListen(value, options);
        } else if (option == "--db") {
            ok = !value.empty();
            options.databasePath = std::string(value);
        } else if (option == "--table-size") {
            ok = ParseNumber(value, 1, 1000, options.tableSize);
        } else if (option == "--submissions-per-minute") {
            ok = ParseNumber(value, 0, 100000000, options.submissionsPerMinute);
        } else if (option == "--queries-per-minute") {
            ok = ParseNumber(value, 0, 100000000, options.queriesPerMinute);
        } else if (option == "--connections-per-address") {
            ok = ParseNumber(value, 0, 1000000, options.connectionsPerAddress);
        } else if (option == "--request-seconds") {
            ok = ParseNumber(value, 1, 300, options.requestSeconds);
        } else if (option == "--trust-proxy") {
            std::optional<AddressRange> range = ParseRange(std::string(value));
            if ((ok = range.has_value())) options.trustedProxies.push_back(*range);
        } else if (option == "--unverified-entries") {
            ok = value == "apart" || value == "hidden";
            options.unverifiedEntries =
                value == "hidden" ? UnverifiedEntries::Hidden : UnverifiedEntries::Apart;
        } else if (option == "--games-per-minute") {
            ok = ParseNumber(value, 0, 100000000, options.gamesPerMinute);
        } else if (option == "--replays-per-minute") {
            ok = ParseNumber(value, 0, 100000000, options.replaysPerMinute);
        } else if (option == "--max-replay-bytes") {
            ok = ParseNumber(value, 1024, 1 << 20, options.maxReplayBytes);
        } else if (option == "--token-hours") {
            ok = ParseNumber(value, 1, 48, options.tokenHours);
        } else if (option == "--play") {
            ok = !value.empty();
            options.playFolder = std::string(value);
        } else if (option == "--threads") {
            ok = ParseNumber(value, 1, 64, options.threads);
        } else if (option == "--max-request-bytes") {
            ok = ParseNumber(value, 256, 65536, options.maxRequestBytes);
        } else {
            error = "unknown option: " + std::string(option);
            return OptionsResult::Error;
        }
        if (!ok) {
            error = "bad value for " + std::string(option) + ": " + std::string(value);
            return OptionsResult::Error;
        }
    }
    return OptionsResult::Run;
}
