// The score server's routes under /highscores/orbolo/: the query and the
// submission the game sends, the listing page, and the verified requests
// (verified_games.h); bans, per-source limits and the trust rule. Knows
// nothing of the HTTP library.
#pragma once
#include "address_range.h"
#include "options.h"
#include "rate_limiter.h"
#include "score_backend.h"
#include "submission_writer.h"

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct Answer {
    // Redirect: body is the location. Download: a replay file named `fileName`.
    enum Kind { Plain, Page, Redirect, Download };
    Answer(int status = 200, std::string body = {}, Kind kind = Plain, std::string fileName = {})
        : status(status), body(std::move(body)), kind(kind), fileName(std::move(fileName)) {}
    int status;
    std::string body;
    Kind kind;
    std::string fileName;
};

struct ScoreRequest {
    std::string path;
    QueryParameters parameters;
    Address source;
    std::string method = "GET";
    std::string body; // a POST's, within the front's bound
};

class VerifiedGames;

class ScoreService {
  public:
    // The store, writer and verified requests must outlive the service.
    ScoreService(ScoreBackend& store, SubmissionWriter& writer, VerifiedGames& verified,
                 const ServerOptions& options);

    // The answer, or nullopt when a submission waits for its group to be
    // written: `later` then gets the answer on the writer's thread.
    std::optional<Answer> Handle(const ScoreRequest& request, std::function<void(Answer)> later);
    // Reads the bans again; called four times a second, so the operator's bans
    // and unbans reach a running server.
    void RefreshBans();

  private:
    Answer Query(const ScoreRequest& request, const std::string& source);
    std::optional<Answer> Submit(const ScoreRequest& request, const std::string& source,
                                 std::function<void(Answer)>& later);
    Answer Listing(const std::string& source);
    bool Banned(const Address& address);

    ScoreBackend& store;
    SubmissionWriter& writer;
    VerifiedGames& verified;
    const bool verifiedOnly;
    const UnverifiedEntries unverifiedEntries;
    RateLimiter queries, submissions;
    std::mutex bansMutex;
    std::shared_ptr<const std::vector<AddressRange>> bans;
};
