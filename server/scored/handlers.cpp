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
    return {status, text, Answer::Plain, 0};
}

// A request waits in the pool's queue at most this long before it is
// answered 503: the game gives up after three seconds.
constexpr auto kLongestQueueWait = std::chrono::milliseconds(1000);
// The listing page is built again at most once a second, and after writes.
constexpr int64_t kListingFreshMs = 1000;

int64_t Now() {
    return static_cast<int64_t>(std::time(nullptr));
}

int64_t MonotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The database failed or keeps the server waiting, or too much waits
// already: nothing was decided, the client may ask again.
Answer Busy() {
    return {503, "busy, try again shortly\n", Answer::Plain, DatabaseHealth::kRetryAfterSeconds};
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

ScoreService::ScoreService(ScoreBackend& store, SubmissionWriter& writer, WorkerPool& pool,
                           VerifiedGames& verified, const ServerOptions& options)
    : store(store), writer(writer), pool(pool), verified(verified),
      verifiedOnly(options.verifiedOnly), unverifiedEntries(options.unverifiedEntries),
      queries(options.queriesPerMinute), submissions(options.submissionsPerMinute),
      bans(std::make_shared<const std::vector<AddressRange>>()),
      linksPlay(!options.playFolder.empty()) {}

std::optional<Answer> ScoreService::Handle(const ScoreRequest& request, Reply later) {
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
    if (request.path == kBase + "ishighscore.php") return Query(request, source, later);
    if (submission) return Submit(request, source, later);
    if (request.path == kBase || request.path == kBase + "index.html")
        return Listing(source, later);
    if (request.path == "/" || request.path == "/highscores/orbolo") {
        return Answer{301, kBase, Answer::Redirect};
    }
    return Plain(404, "not found\n");
}

std::optional<Answer> AnswerOnPool(WorkerPool& pool, std::function<Answer()> work,
                                   std::function<Answer()> instead, const Reply& later) {
    WorkerPool::Job job{[work, later] { later(work()); }, [instead, later] { later(instead()); },
                        WorkerPool::Clock::now() + kLongestQueueWait};
    if (!pool.Post(std::move(job))) return instead();
    return std::nullopt;
}

std::optional<Answer> ScoreService::OnPool(std::function<Answer()> work,
                                           std::function<Answer()> instead, const Reply& later) {
    return AnswerOnPool(pool, std::move(work), std::move(instead), later);
}

std::optional<Answer> ScoreService::Query(const ScoreRequest& request, const std::string& source,
                                          const Reply& later) {
    if (!queries.Allow(source, std::chrono::steady_clock::now())) {
        return Plain(429, "too many requests, try again in a minute\n");
    }
    std::optional<ScoreQuery> query = ParseQuery(request.parameters);
    if (!query) return Plain(400, "bad request\n");
    // A server that lists only verified games has no place for an old
    // client's value: "no" spares the player a name nobody will list.
    if (verifiedOnly) return Plain(200, "no");
    // Only a value that would enter may be submitted: the game asks first.
    std::optional<bool> known = store.CachedWouldEnter(query->table, query->score);
    if (known && (!*known || store.QueriesInProcess())) {
        if (*known) store.RememberQuery(source, query->table, query->score, Now());
        return Plain(200, *known ? "yes" : "no");
    }
    if (!health.MayTry()) return Busy();
    return OnPool(
        [this, query = *query, source] {
            std::optional<bool> enters = store.WouldEnter(query.table, query.score);
            health.Report(enters.has_value());
            if (!enters) return Busy();
            if (*enters) store.RememberQuery(source, query.table, query.score, Now());
            return Plain(200, *enters ? "yes" : "no");
        },
        Busy, later);
}

std::optional<Answer> ScoreService::Submit(const ScoreRequest& request, const std::string& source,
                                           const Reply& later) {
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
    if (!health.MayTry()) {
        LogRefused(request, "busy");
        return Busy();
    }
    PendingEntry entry{
        *submission, AddressText(request.source), Now(), source, kQueryValidSeconds, false, ""};
    bool queued = writer.Enqueue(std::move(entry), [this, later](AddOutcome outcome) {
        health.Report(outcome != AddOutcome::Failed);
        switch (outcome) {
        case AddOutcome::Failed:
            return later(Busy());
        case AddOutcome::Unasked:
            return later(Plain(403, "submit only what the query accepted\n"));
        case AddOutcome::Stored:
            ++writes;
            return later(Plain(200, "stored\n"));
        case AddOutcome::TrimmedAway:
            return later(Plain(200, "no")); // only an entry that stays in its table is "stored"
        }
    });
    if (!queued) {
        LogRefused(request, "busy");
        return Busy();
    }
    return std::nullopt;
}

std::optional<Answer> ScoreService::Listing(const std::string& source, const Reply& later) {
    if (!queries.Allow(source, std::chrono::steady_clock::now())) {
        return Plain(429, "too many requests, try again in a minute\n");
    }
    {
        // The page last built is answered at once unless an entry came
        // since: an old one is built again meanwhile, on the pool, for the
        // next visitor; a database that is slow to read holds up no one.
        std::lock_guard<std::mutex> lock(listingMutex);
        if (listingPage && listingWrites == writes.load()) {
            if (MonotonicMs() - listingBuiltMs >= kListingFreshMs && !listingRebuilding &&
                health.MayTry()) {
                auto done = [this] {
                    std::lock_guard<std::mutex> rebuilt(listingMutex);
                    listingRebuilding = false;
                };
                listingRebuilding = pool.Post({[this, done] {
                                                   BuildListing();
                                                   done();
                                               },
                                               done, WorkerPool::Clock::now() + kLongestQueueWait});
            }
            return Answer{200, *listingPage, Answer::Page};
        }
    }
    if (!health.MayTry()) return CachedListing();
    return OnPool([this] { return BuildListing(); }, [this] { return CachedListing(); }, later);
}

Answer ScoreService::BuildListing() {
    const uint64_t generation = writes.load();
    const int64_t started = MonotonicMs();
    std::vector<ListedTable> tables;
    const bool withUnverified = !verifiedOnly && unverifiedEntries == UnverifiedEntries::Apart;
    for (const char* table : kTablesInOrder) {
        auto entries = store.Top(table, true);
        auto unverified =
            withUnverified ? store.Top(table, false) : std::optional(std::vector<ScoreEntry>{});
        health.Report(entries && unverified);
        if (!entries || !unverified) return CachedListing();
        tables.push_back({table, std::move(*entries), std::move(*unverified)});
    }
    ListingWording wording;
    wording.linksPlay = linksPlay;
    auto page = std::make_shared<const std::string>(RenderListingPage(tables, wording));
    std::lock_guard<std::mutex> lock(listingMutex);
    listingPage = page;
    listingBuiltMs = started;
    listingWrites = generation;
    return Answer{200, *page, Answer::Page};
}

// While the database cannot be read, the last page built is better than
// none: the tables change rarely.
Answer ScoreService::CachedListing() {
    std::lock_guard<std::mutex> lock(listingMutex);
    if (!listingPage) return Busy();
    return Answer{200, *listingPage, Answer::Page};
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
