#include "operator_commands.h"

#include "address_range.h"
#include "import_command.h"
#include "listing_page.h"

#include <cstdio>

namespace {

int Failed(ScoreBackend& store, const char* what) {
    std::string why = store.LastError();
    std::fprintf(stderr, "orbolo-scored: %s failed: the database refused: %s\n", what,
                 why.empty() ? "no reason given" : why.c_str());
    return 1;
}

// Tab-separated, since names hold blanks.
int List(ScoreBackend& store, const std::string& table) {
    if (!table.empty() && !IsTableName(table)) {
        std::fprintf(stderr, "orbolo-scored: no table %s\n", table.c_str());
        return 2;
    }
    auto entries = store.List(table);
    if (!entries) return Failed(store, "list");
    for (const StoredEntry& e : *entries) {
        std::printf("%s\t%d\t%s\t%d\t%s\t%s\n", e.table.c_str(), e.place, e.name.c_str(), e.score,
                    e.address.empty() ? "-" : e.address.c_str(),
                    FormatUtc(e.submitted, "%Y-%m-%dT%H:%M:%SZ").c_str());
    }
    return 0;
}

int Ban(ScoreBackend& store, const std::string& verb, const std::string& text) {
    std::optional<AddressRange> range = ParseRange(text);
    if (!range) {
        std::fprintf(stderr, "orbolo-scored: not an address or CIDR range: %s\n", text.c_str());
        return 2;
    }
    const std::string canonical = RangeText(*range);
    bool ok = verb == "ban" ? store.Ban(canonical) : store.Unban(canonical);
    if (!ok) return Failed(store, verb.c_str());
    std::printf("%s %s\n", verb == "ban" ? "banned" : "unbanned", canonical.c_str());
    return 0;
}

} // namespace

int RunOperatorCommand(ScoreBackend& store, const std::vector<std::string>& command) {
    const std::string& verb = command[0];
    if (verb == "list") return List(store, command.size() > 1 ? command[1] : "");
    if (verb == "delete") {
        std::optional<int> removed = store.Delete(command[1], command[2]);
        if (!removed) return Failed(store, "delete");
        std::printf("deleted %d entr%s\n", *removed, *removed == 1 ? "y" : "ies");
        return 0;
    }
    if (verb == "ban" || verb == "unban") return Ban(store, verb, command[1]);
    if (verb == "import") return RunImport(store, command[1]);
    std::string error;
    if (!store.Backup(command[1], error)) {
        std::fprintf(stderr, "orbolo-scored: backup to %s failed: %s\n", command[1].c_str(),
                     error.c_str());
        return 1;
    }
    std::printf("backed up to %s\n", command[1].c_str());
    return 0;
}
