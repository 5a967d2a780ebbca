// orbolo-scored: the score server for Orbolo's online highscores.
#include "handlers.h"
#include "http_front.h"
#include "listener.h"
#include "operator_commands.h"
#include "options.h"
#include "score_backend.h"
#include "submission_writer.h"
#include "verified_games.h"
#include "worker_pool.h"

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>

namespace {

// Replays that may wait to be judged, in all and per source: a player
// uploads one game at a time.
constexpr size_t kMostReplaysWaiting = 64;
constexpr size_t kMostReplaysPerSource = 2;

// Every open connection is a descriptor: take all the system allows.
void RaiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace

int main(int argc, char** argv) {
    // At most two malloc arenas, however many threads: the memory closed
    // connections freed can then be handed back (malloc_trim), which an
    // arena per thread kept; two spare the event loops one shared lock.
    mallopt(M_ARENA_MAX, 2);
    ServerOptions options;
    std::string error;
    switch (ParseOptions(argc, argv, options, error)) {
    case OptionsResult::Help:
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    case OptionsResult::Version:
        std::puts("orbolo-scored " ORBOLO_VERSION);
        return 0;
    case OptionsResult::Error:
        std::fprintf(stderr, "orbolo-scored: %s\n%s", error.c_str(), UsageText().c_str());
        return 2;
    case OptionsResult::Run:
        break;
    }

    std::unique_ptr<ScoreBackend> store =
        OpenScoreBackend(options.databasePath, options.tableSize, error);
    if (!store) {
        std::fprintf(stderr, "orbolo-scored: %s: %s\n", options.databasePath.c_str(),
                     error.c_str());
        return 1;
    }
    if (!options.command.empty()) return RunOperatorCommand(*store, options.command);
    // Refused before serving: a damaged or unwritable store would answer
    // every client with an error.
    if (!store->CheckHealth(error)) {
        std::fprintf(stderr, "orbolo-scored: %s: %s\n", options.databasePath.c_str(),
                     error.c_str());
        return 1;
    }
    // A client waits about three seconds; the database gets half of that.
    store->SetPatience(std::chrono::milliseconds(1500));

    // Blocked before any thread starts, so every thread inherits the mask
    // and only sigwait below ever sees these signals.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    // A client that hangs up mid-answer must not end the server.
    std::signal(SIGPIPE, SIG_IGN);
    RaiseDescriptorLimit();

    int port = options.port;
    int listener = OpenListener(options.host, port, error);
    if (listener < 0) {
        std::fprintf(stderr, "orbolo-scored: cannot listen on %s:%d: %s\n", options.host.c_str(),
                     options.port, error.c_str());
        return 1;
    }
    // Database work waits here, off the event loops: a handful of threads
    // (database calls mostly wait) and a queue far longer than a healthy
    // database ever lets build up.
    WorkerPool pool(std::max(4, 2 * options.threads), 4096);
    SubmissionWriter writer(*store, pool);
    // Every server on one database signs game tokens with the same key.
    std::optional<std::string> tokenKey = store->SharedSecret(NewTokenKey());
    if (!tokenKey) {
        std::fprintf(stderr, "orbolo-scored: %s: cannot read the token key: %s\n",
                     options.databasePath.c_str(), store->LastError().c_str());
        return 1;
    }
    // Replays run on the same pool, one at a time (the rules' state is
    // program-wide), so they never hold more than one worker.
    VerificationQueue verifications(
        [&pool](std::function<void()> job) {
            return pool.Post({std::move(job), nullptr, WorkerPool::Clock::time_point::max()});
        },
        kMostReplaysWaiting, kMostReplaysPerSource);
    VerifiedGames verified(*store, writer, pool, verifications, TokenSigner(*tokenKey), options);
    ScoreService service(*store, writer, pool, verified, options);
    service.RefreshBans();
    std::unique_ptr<HttpFront> front = StartHttpFront(listener, service, options, error);
    if (!front) {
        std::fprintf(stderr, "orbolo-scored: %s\n", error.c_str());
        return 1;
    }
    const bool v6 = options.host.find(':') != std::string::npos;
    std::printf("orbolo-scored: listening on http://%s%s%s:%d/highscores/orbolo/\n", v6 ? "[" : "",
                options.host.c_str(), v6 ? "]" : "", port);
    std::fflush(stdout);

    int received = 0;
    sigwait(&signals, &received);
    // Queued submissions are written and every waiting request answered
    // before the loops end; requests that come meanwhile get 503.
    verifications.Stop();
    writer.Stop();
    pool.Stop();
    front->Stop();
    return 0;
}
