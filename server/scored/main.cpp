// orbolo-scored: the score server for Orbolo's online highscores.
#include "handlers.h"
#include "options.h"
#include "rate_limiter.h"
#include "score_backend.h"

#include <httplib.h>

#include <sys/socket.h>

#include <csignal>
#include <cstdio>
#include <thread>

namespace {

// SIGINT and SIGTERM are taken by one thread that stops the server, so the
// database is closed cleanly instead of the process dying mid-write.
std::thread StopOnSignal(httplib::Server& server, sigset_t signals) {
    return std::thread([&server, signals] {
        int received = 0;
        sigwait(&signals, &received);
        server.stop();
    });
}

} // namespace

int main(int argc, char** argv) {
    ServerOptions options;
    std::string error;
    switch (ParseOptions(argc, argv, options, error)) {
    case OptionsResult::Help:
        std::fputs(UsageText().c_str(), stdout);
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
    RateLimiter limiter(options.submissionsPerMinute);

    // Blocked before any thread starts, so every thread inherits the mask
    // and only the waiting thread ever sees these signals.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    httplib::Server server;
    const int threads = options.threads;
    server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    // Headers and body go out in separate writes: without this, Nagle's
    // algorithm and delayed ACKs hold every answer back about 40 ms.
    server.set_tcp_nodelay(true);
    // A connection holds its worker thread while it lives: after a few
    // requests it gives the thread up, so more clients than threads take
    // turns instead of waiting behind one busy connection.
    server.set_keep_alive_max_count(5);
    server.set_keep_alive_timeout(2);
    server.set_read_timeout(5, 0);
    server.set_write_timeout(5, 0);
    InstallHandlers(server, *store, limiter, options);
    int listener = -1;
    server.set_socket_options([&listener](int socket) {
        // SO_REUSEADDR lets a restarted server take its port at once. The
        // library's default, SO_REUSEPORT, would let a second server bind
        // the same port and split the players between two databases.
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        listener = socket;
    });

    int port = options.port;
    bool bound = (port == 0) ? (port = server.bind_to_any_port(options.host)) > 0
                             : server.bind_to_port(options.host, port);
    if (!bound) {
        std::fprintf(stderr, "orbolo-scored: cannot listen on %s:%d\n", options.host.c_str(),
                     options.port);
        return 1;
    }
    // The library listens with a backlog of 5: a burst of new connections
    // overflows it, and each dropped one waits a second for its retry.
    // Listening again only enlarges the queue.
    ::listen(listener, SOMAXCONN);
    std::printf("orbolo-scored: listening on http://%s:%d/highscores/orbolo/\n",
                options.host.c_str(), port);
    std::fflush(stdout);

    std::thread stopper = StopOnSignal(server, signals);
    server.listen_after_bind();
    // Stopped other than by a signal: wake the stopper so it can end.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    return 0;
}
