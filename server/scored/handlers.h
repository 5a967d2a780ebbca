// The score server's routes under /highscores/orbolo/: the query and the
// submission the game sends, the listing page, and the verified requests
// (verified_games.h); bans, per-source limits and the trust rule. Knows nothing of the HTTP
// library. Whatever needs the database runs on the worker pool; what memory can answer (a table's
// last place read lately, the listing page built lately) is answered at once. A database that fails
// or keeps the server waiting, or a full queue, is answered 503 with Retry-After, never with a
// refusal that blames the client.
#pragma once
#include "address_range.h"
#include "database_health.h"
#include "options.h"
#include "rate_limiter.h"
#include "score_backend.h"
#include "submission_writer.h"
#include "worker_pool.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct Answer {
    // Redirect: body is the location. Download: a replay file named `fileName`.
    enum Kind { Plain, Page, Redirect, Download };
    Answer(int status = 200, std::string body = {}, Kind kind = Plain, int retryAfterSeconds = 0,
           std::string fileName = {})
        : status(status), body(std::move(body)), kind(kind), retryAfterSeconds(retryAfterSeconds),
          fileName(std::move(fileName)) {}
    int status;
    std::string body;
    Kind kind;
    int retryAfterSeconds; // sent as Retry-After when not 0
    std::string fileName;
};

// Receives an answer given later, on any thread.
using Reply = std::function<void(Answer)>;

struct ScoreRequest {
    std::string path;
    QueryParameters parameters;
    Address source;
    std::string method = "GET";
    std::string body; // a POST's, within the front's bound
};

class VerifiedGames;

// Runs `work` on the pool and hands its answer to `later`. When the pool
// has no room, or the job waited too long, `instead` answers.
std::optional<Answer> AnswerOnPool(WorkerPool& pool, std::function<Answer()> work,
                                   std::function<Answer()> instead, const Reply& later);

class ScoreService {
  public:
    // The store, writer, pool and verified requests must outlive the service.
    ScoreService(ScoreBackend& store, SubmissionWriter& writer, WorkerPool& pool,
                 VerifiedGames& verified, const ServerOptions& options);

    // The answer, or nullopt when the request waits for the worker pool:
    // `later` then gets the answer, exactly once, on a worker.
    std::optional<Answer> Handle(const ScoreRequest& request, Reply later);
    // Reads the bans again; called four times a second, so the operator's bans
    // and unbans reach a running server.
    void RefreshBans();

    // Runs `work` on the pool and hands its answer to `later`. When the
    // pool has no room, or the job waited too long, `instead` answers.
    std::optional<Answer> OnPool(std::function<Answer()> work, std::function<Answer()> instead,
                                 const Reply& later);

  private:
    std::optional<Answer> Query(const ScoreRequest& request, const std::string& source,
                                const Reply& later);
    std::optional<Answer> Submit(const ScoreRequest& request, const std::string& source,
                                 const Reply& later);
    std::optional<Answer> Listing(const std::string& source, const Reply& later);
    Answer BuildListing();
    Answer CachedListing();
    bool Banned(const Address& address);

    ScoreBackend& store;
    SubmissionWriter& writer;
    WorkerPool& pool;
    VerifiedGames& verified;
    const bool verifiedOnly;
    const UnverifiedEntries unverifiedEntries;
    DatabaseHealth health;
    RateLimiter queries, submissions;
    // The listing page last built and when (monotonic ms); rebuilt when
    // older than a second (in the background) or after a write.
    std::mutex listingMutex;
    std::shared_ptr<const std::string> listingPage;
    int64_t listingBuiltMs = 0;
    std::atomic<uint64_t> writes{0};
    uint64_t listingWrites = 0;
    bool listingRebuilding = false;
    std::mutex bansMutex;
    std::shared_ptr<const std::vector<AddressRange>> bans;
    const bool linksPlay; // the web build is served beside the listing
};
