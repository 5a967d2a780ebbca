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
    return "Usage: orbolo-scored [options]\n"
           "Serves the online highscores of Orbolo: the query and submission the game sends,\n"
           "and the listing page under /highscores/orbolo/.\n"
           "\n"
           "  --listen ADDRESS:PORT         where to listen (default 127.0.0.1:8086;\n"
           "                                port 0 takes a free one and prints it)\n"
           "  --db PATH|URL                 SQLite file, created when missing (default\n"
           "                                orbolo-scores.db), or postgresql://user@host/db\n"
           "  --table-size N                places kept in each of the six tables, 1..1000\n"
           "                                (default 10)\n"
           "  --submissions-per-minute N    submissions accepted per client address and\n"
           "                                minute, 0 for no limit (default 10)\n"
           "  --threads N                   worker threads, 1..256 (default 8)\n"
           "  --max-request-bytes N         longest request target or body, 256..65536\n"
           "                                (default 2048)\n"
           "  --help                        this text\n";
}

OptionsResult ParseOptions(int argc, char** argv, ServerOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string_view option = argv[i];
        if (option == "--help" || option == "-h") return OptionsResult::Help;
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
            ok = ParseNumber(value, 0, 1000000, options.submissionsPerMinute);
        } else if (option == "--threads") {
            ok = ParseNumber(value, 1, 256, options.threads);
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
