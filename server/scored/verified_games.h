// The verified requests beside the game's two old ones, under the same
// path:
//   newgame.php                       a token and the seed the server chose
//   isverifiedhighscore.php?gamename=T&submtdscore=N
//                                     "yes" when N would enter T's verified ranking
//   replaysubmitter.php?name=NAME     POST: the game's recording; the server
//                                     replays it and stores what it proves
//   replay.php?id=N                   a verified entry's recording
// The recording's claimed result is never trusted: a worker replays it
// through the game's own rules (on the worker pool, one at a time), and
// only then is the proven result written. Every database call runs on the
// pool too.
#pragma once
#include "game_token.h"
#include "handlers.h"
#include "verification_queue.h"

#include <cstdint>

class VerifiedGames {
  public:
    VerifiedGames(ScoreBackend& store, SubmissionWriter& writer, WorkerPool& pool,
                  VerificationQueue& queue, TokenSigner signer, const ServerOptions& options);

    static bool Serves(const std::string& path);
    // The answer, or nullopt when `later` gets it once the replay is judged.
    std::optional<Answer> Handle(const ScoreRequest& request, const std::string& source,
                                 std::function<void(Answer)>& later);

  private:
    Answer NewGame(const std::string& source);
    std::optional<Answer> Query(const ScoreRequest& request, const std::string& source,
                                const Reply& later);
    std::optional<Answer> Upload(const ScoreRequest& request, const std::string& source,
                                 std::function<void(Answer)>& later);
    std::optional<Answer> Download(const ScoreRequest& request, const std::string& source,
                                   const Reply& later);
    // Runs on a worker: reads, checks the token, replays, then writes.
    void Judge(const std::string& bytes, const std::string& name, const std::string& address,
               const std::function<void(Answer)>& answer);

    ScoreBackend& store;
    SubmissionWriter& writer;
    WorkerPool& pool;
    VerificationQueue& queue;
    const TokenSigner signer;
    const int64_t tokenSeconds;
    RateLimiter games, replays, downloads;
};
