// Servers on 127.0.0.1 at ports the system picks, for the network tests.
// LoopbackHttpServer is a real HTTP server (cpp-httplib) that records every
// request's raw target and user agent and, on the paths given to Serve(),
// answers what Set() last said: any status, body and redirect.
// RawSocketServer is a broken one below HTTP.
#pragma once
#include "tests/net/loopback_listener.h"

#include <httplib.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
  public:
    struct Seen {
        std::string target; // as sent on the request line
        std::string userAgent;
    };
    struct Answer {
        Answer(int status = 200, std::string body = "", std::string location = "",
               std::string retryAfter = "")
            : status(status), body(std::move(body)), location(std::move(location)),
              retryAfter(std::move(retryAfter)) {}
        int status;
        std::string body;
        std::string location;   // sent with a 3xx status
        std::string retryAfter; // sent when not empty
    };

    LoopbackHttpServer() {
        // Recorded before the answer goes out: a client with its answer finds its request here.
        server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
            std::lock_guard<std::mutex> lock(mutex);
            seen.push_back({request.target, request.get_header_value("User-Agent")});
            return httplib::Server::HandlerResponse::Unhandled;
        });
        port = server.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { server.listen_after_bind(); });
        // stop() before the accept loop runs would be lost and join hang.
        while (!server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~LoopbackHttpServer() {
        server.stop();
        thread.join();
    }

    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port); }
    int Port() const { return port; }
    std::vector<Seen> Requests() {
        std::lock_guard<std::mutex> lock(mutex);
        return seen;
    }

    // Every answer from now on is `answer`; `first`, when given, goes out
    // once before it.
    void Set(Answer answer, std::optional<Answer> first = std::nullopt) {
        std::lock_guard<std::mutex> lock(mutex);
        next = std::move(answer);
        once = std::move(first);
    }
    void Serve(const std::string& pathPattern) {
        server.Get(pathPattern, [this](const httplib::Request&, httplib::Response& response) {
            std::lock_guard<std::mutex> lock(mutex);
            const Answer answer = once.value_or(next);
            once.reset();
            response.status = answer.status;
            if (!answer.location.empty()) response.set_header("Location", answer.location);
            if (!answer.retryAfter.empty()) response.set_header("Retry-After", answer.retryAfter);
            response.set_content(answer.body, "text/plain");
        });
    }
    // The score server's two pages: the query answers what Set() said, a
    // submission `stored` unless `submissionToo`.
    void ServeScorePages(bool submissionToo = false) {
        Serve("/highscores/orbolo/ishighscore.php");
        if (submissionToo) return Serve("/highscores/orbolo/scoresubmitter.php");
        server.Get("/highscores/orbolo/scoresubmitter.php",
                   [](const httplib::Request&, httplib::Response& response) {
                       response.set_content("stored", "text/plain");
                   });
    }

    httplib::Server server;

  private:
    int port = 0;
    std::thread thread;
    std::mutex mutex;
    std::vector<Seen> seen;
    Answer next;
    std::optional<Answer> once;
};

// With no reply it never accepts: connections complete in the kernel's queue
// and wait for an answer that never comes. With one, it accepts a
// connection, sends `reply` once the request is in, then holds the
// connection open (`hold`) until it goes away, or closes it.
class RawSocketServer {
  public:
    explicit RawSocketServer(std::string reply = "", bool hold = false) {
        listener = ListenOnLoopback(port);
        if (reply.empty()) return;
        thread = std::thread([this, reply = std::move(reply), hold] {
            int connection = Readable(listener) ? accept(listener, nullptr, nullptr) : -1;
            if (connection < 0) return;
            char request[4096];
            if (Readable(connection)) (void)!recv(connection, request, sizeof request, 0);
            (void)!send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
            while (hold && !stopping)
                usleep(20000);
            close(connection);
        });
    }
    ~RawSocketServer() {
        stopping = true;
        if (thread.joinable()) thread.join();
        close(listener);
    }
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(port); }

  private:
    bool Readable(int fd) {
        for (pollfd p{fd, POLLIN, 0}; !stopping;)
            if (poll(&p, 1, 50) > 0) return true;
        return false;
    }
    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping{false};
    std::thread thread;
};
