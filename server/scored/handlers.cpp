#include "handlers.h"

#include "access_log.h"
#include "listing_page.h"
#include "validation.h"
#include "verified_games.h"

#include <chrono>
#include <ctime>

namespace {

const char* const kTablesInOrder[] = {"taeasy", "taaverage", "tahard",
                                      "tseasy", "tsaverage", "tshard"};
const std::string kBase = "/highscores/orbolo/";
// A game submits seconds after its query; ten minutes covers a slow typist.
constexpr int64_t kQueryValidSeconds = 600;

// Plain answers never contain "yes" unless they mean it: old games look
// for that word anywhere in the body.
Answer Plain(int status, const char* text) {
    return {status, text, Answer::Plain};
}

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

std::string ParameterText(const QueryParameters& parameters, const char* key) {
    auto found = parameters.find(key);
    return found == parameters.end() ? "" : found->second.substr(0, 16);
}

void LogRefused(const ScoreRequest& request, const char* outcome) {
    WriteAccessLog(AccessLogLine(Now(), AddressText(request.source),
                                 ParameterText(request.parameters, "gamename"),
                                 ParameterText(request.parameters, "score"), outcome));
}

} // namespace

ScoreService::ScoreService(ScoreBackend& store, SubmissionWriter& writer, VerifiedGames& verified,
                           const ServerOptions& options)
    : store(store), writer(writer), verified(verified), verifiedOnly(options.verifiedOnly),
      unverifiedEntries(options.unverifiedEntries), queries(options.queriesPerMinute),
      submissions(options.submissionsPerMinute),
      bans(std::make_shared<const std::vector<AddressRange>>()) {}

std::optional<Answer> ScoreService::Handle(const ScoreRequest& request,
                                           std::function<void(Answer)> later) {
    const bool submission = request.path == kBase + "scoresubmitter.php";
    if (Banned(request.source)) {
        if (submission) LogRefused(request, "banned");
        return Plain(403, "forbidden\n");
    }
    const std::string source = SourceKey(request.source);
    if (VerifiedGames::Serves(request.path)) return verified.Handle(request, source, later);
    if (request.method != "GET" && request.method != "HEAD") {
        return Plain(405, "method not allowed\n");
    }
    if (request.path == kBase + "ishighscore.php") return Query(request, source);
    if (submission) return Submit(request, source, later);
    if (request.path == kBase || request.path == kBase + "index.html") return Listing(source);
    if (request.path == "/" || request.path == "/highscores/orbolo") {
        return Answer{301, kBase, Answer::Redirect};
    }
    return Plain(404, "not found\n");
}

Answer ScoreService::Query(const ScoreRequest& request, const std::string& source) {
    if (!queries.Allow(source, std::chrono::steady_clock::now())) {
        return Plain(429, "too many requests, try again in a minute\n");
    }
    std::optional<ScoreQuery> query = ParseQuery(request.parameters);
    if (!query) return Plain(400, "bad request\n");
    // A server that lists only verified games has no place for an old
    // client's value: "no" spares the player a name nobody will list.
    std::optional<bool> enters =
        verifiedOnly ? false : store.WouldEnter(query->table, query->score);
    if (!enters) return Plain(500, "server error\n");
    // Only a value that would enter may be submitted: the game asks first.
    if (*enters) store.RememberQuery(source, query->table, query->score, Now());
    return Plain(200, *enters ? "yes" : "no");
}

std::optional<Answer> ScoreService::Submit(const ScoreRequest& request, const std::string& source,
                                           std::function<void(Answer)>& later) {
    if (!submissions.Allow(source, std::chrono::steady_clock::now())) {
        LogRefused(request, "limited");
        return Plain(429, "too many submissions, try again in a minute\n");
    }
    std::optional<ScoreSubmission> submission = ParseSubmission(request.parameters);
    if (!submission) {
        LogRefused(request, "refused");
        return Plain(400, "bad request\n");
    }
    if (verifiedOnly) {
        LogRefused(request, "unverified");
        return Plain(403, "this server lists verified games only\n");
    }
    const int64_t now = Now();
    if (!store.TakeQuery(source, submission->table, submission->score, now, kQueryValidSeconds)) {
        LogRefused(request, "unasked");
        return Plain(403, "submit only what the query accepted\n");
    }
    PendingEntry entry{*submission, AddressText(request.source), now, false, ""};
    bool queued = writer.Enqueue(std::move(entry), [later](AddOutcome outcome) {
        // Only an entry that stays in its table is "stored".
        if (outcome == AddOutcome::Failed) return later(Plain(500, "server error\n"));
        later(Plain(200, outcome == AddOutcome::Stored ? "stored\n" : "no"));
    });
    if (!queued) return Plain(503, "shutting down\n");
    return std::nullopt;
}

Answer ScoreService::Listing(const std::string& source) {
    if (!queries.Allow(source, std::chrono::steady_clock::now())) {
        return Plain(429, "too many requests, try again in a minute\n");
    }
    std::vector<ListedTable> tables;
    const bool withUnverified = !verifiedOnly && unverifiedEntries == UnverifiedEntries::Apart;
    for (const char* table : kTablesInOrder) {
        auto entries = store.Top(table, true);
        auto unverified =
            withUnverified ? store.Top(table, false) : std::optional(std::vector<ScoreEntry>{});
        if (!entries || !unverified) return Plain(500, "server error\n");
        tables.push_back({table, std::move(*entries), std::move(*unverified)});
    }
    return Answer{200, RenderListingPage(tables), Answer::Page};
}

bool ScoreService::Banned(const Address& address) {
    std::shared_ptr<const std::vector<AddressRange>> current;
    {
        std::lock_guard<std::mutex> lock(bansMutex);
        current = bans;
    }
    for (const AddressRange& range : *current) {
        if (range.Contains(address)) return true;
    }
    return false;
}

void ScoreService::RefreshBans() {
    std::optional<std::vector<std::string>> texts = store.Bans();
    if (!texts) return; // keep the last list through a database hiccup
    auto ranges = std::make_shared<std::vector<AddressRange>>();
    for (const std::string& text : *texts) {
        if (std::optional<AddressRange> range = ParseRange(text)) ranges->push_back(*range);
    }
    std::lock_guard<std::mutex> lock(bansMutex);
    bans = std::move(ranges);
}
